// One form read from its stored description that holds every standard
// control, both kinds of menu and image lists, used the way a user would:
// through mouse and keyboard messages, a right click, a pressed shortcut.
// Each step is checked by the handler the description binds by name and by
// the state that handler or the control must change.
#include "Bitmap.h"
#include "Button.h"
#include "Canvas.h"
#include "CheckBox.h"
#include "Edit.h"
#include "Form.h"
#include "GroupBox.h"
#include "Image.h"
#include "ImageList.h"
#include "Label.h"
#include "ListView.h"
#include "Memo.h"
#include "MenuDriver.h"
#include "Menus.h"
#include "PageControl.h"
#include "Panel.h"
#include "Pump.h"
#include "StdControls.h"
#include "WindowShot.h"
#include "ToolBar.h"
#include "UserInput.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class TControlsForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TControlsForm, TForm>("TControlsForm", [](auto& c) {
            c.template Handler<&TControlsForm::FormCreate>("FormCreate");
            c.template Handler<&TControlsForm::NewButtonClick>("NewButtonClick");
            c.template Handler<&TControlsForm::RecentItemClick>("RecentItemClick");
            c.template Handler<&TControlsForm::PagesChange>("PagesChange");
            c.template Handler<&TControlsForm::TitleEditChange>("TitleEditChange");
            c.template Handler<&TControlsForm::RandomCheckClick>("RandomCheckClick");
            c.template Handler<&TControlsForm::BuildButtonClick>("BuildButtonClick");
            c.template Handler<&TControlsForm::CancelButtonClick>("CancelButtonClick");
            c.template Handler<&TControlsForm::MovieListDblClick>("MovieListDblClick");
            c.template Handler<&TControlsForm::MMSaveClick>("MMSaveClick");
            c.template Handler<&TControlsForm::ListPopupMenuPopup>("ListPopupMenuPopup");
            c.template Handler<&TControlsForm::PMPlayClick>("PMPlayClick");
            c.template Handler<&TControlsForm::PMRemoveClick>("PMRemoveClick");
        });
        return info;
    }

    template <class T>
    T* Find(const char* Name) {
        return dynamic_cast<T*>(FindComponent(Name));
    }
    TListView* MovieList() { return Find<TListView>("MovieList"); }
    void Status(const std::string& Text) { Find<TPanel>("StatusPanel")->SetCaption(Text); }
    void Note(const std::string& Text) { Log.push_back(Text); }

    // The image lists and the movies are the program's to fill, as the
    // builder fills its list from the project.
    void FormCreate(TObject*) {
        Note(std::string("create") + (Find<TListView>("MovieList")->LargeImages() ? " with images" : ""));
        auto* tools = Find<TImageList>("ToolImages");
        for (TColor c : {clGreen, clMaroon}) tools->Add(Square(16, clBtnFace, c).get());
        auto* shots = Find<TImageList>("ShotList");
        for (TColor c : {clTeal, clPurple, clOlive}) shots->Add(Square(128, clSilver, c).get());
        for (int i = 0; i < 3; ++i) {
            TListItem* item = MovieList()->Items()->Add();
            item->SetCaption(std::string(i == 0 ? "first" : i == 1 ? "second" : "third") + ".swf");
            item->SetImageIndex(i);
        }
    }
    void NewButtonClick(TObject*) {
        Note("new");
        Find<TEdit>("TitleEdit")->SetText("");
    }
    void RecentItemClick(TObject* Sender) {
        const std::string name = static_cast<TMenuItem*>(Sender)->Caption();
        Note("recent " + name);
        Status("Opened " + name);
    }
    void PagesChange(TObject*) { Note("page " + std::to_string(Find<TPageControl>("Pages")->ActivePageIndex())); }
    void TitleEditChange(TObject*) { SetCaption("Every control - " + Find<TEdit>("TitleEdit")->Text()); }
    void RandomCheckClick(TObject*) {
        const bool on = Find<TCheckBox>("RandomCheck")->Checked();
        Note(on ? "random on" : "random off");
        Find<TMemo>("LogMemo")->Lines()->Add(on ? "Movies play in random order." : "Movies play in list order.");
    }
    void BuildButtonClick(TObject*) {
        Note("build");
        Find<TMemo>("LogMemo")->Lines()->Add("Building " + Find<TEdit>("TitleEdit")->Text() + "...");
    }
    void CancelButtonClick(TObject*) { Note("cancel"); }
    void MovieListDblClick(TObject*) {
        TListItem* item = MovieList()->Selected();
        Note("play " + (item ? item->Caption() : std::string("-")));
        if (item) Status("Playing " + item->Caption());
    }
    void MMSaveClick(TObject*) {
        Note("save");
        Status("Saved");
    }
    void ListPopupMenuPopup(TObject* Sender) {
        auto* menu = static_cast<TPopupMenu*>(Sender);
        Note("popup from " + (menu->PopupComponent ? menu->PopupComponent->Name() : std::string("-")));
        // Decided when the menu opens, as the builder's list does.
        const bool any = MovieList()->Selected() != nullptr;
        Find<TMenuItem>("PMPlay")->SetEnabled(any);
        Find<TMenuItem>("PMRemove")->SetEnabled(any);
    }
    void PMPlayClick(TObject* Sender) { MovieListDblClick(Sender); }
    void PMRemoveClick(TObject*) {
        TListItem* item = MovieList()->Selected();
        if (!item) return;
        Note("remove " + item->Caption());
        MovieList()->Items()->Delete(MovieList()->Items()->IndexOf(item));
    }

    std::vector<std::string> Log;

private:
    static std::unique_ptr<TBitmap> Square(int Size, TColor Back, TColor Fore) {
        auto b = std::make_unique<TBitmap>();
        b->SetSize(Size, Size);
        b->Canvas()->Brush()->SetColor(Back);
        b->Canvas()->FillRect(Rect(0, 0, Size, Size));
        b->Canvas()->Brush()->SetColor(Fore);
        b->Canvas()->FillRect(Rect(Size / 8, Size / 8, Size - Size / 8, Size - Size / 8));
        return b;
    }
};

// ---- the user

POINT Centre(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }
void LeftClick(HWND Window, POINT P, bool Double = false) { ClickAt(Window, P.x, P.y, Double); }

// With TESSALOOM_SHOT_DIR set, the form as it shows on the screen is saved
// there under Name, for a person to look at.
void SaveShot(TForm* Form, const char* Name) {
    const char* dir = std::getenv("TESSALOOM_SHOT_DIR");
    if (!dir) return;
    PumpFor(200);
    TBitmap shot;
    ShootWindow(Form->Handle(), shot);
    shot.SaveToFile(std::string(dir) + "\\" + Name);
}

class EveryControlForm : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStandardControls();
        RegisterClass<TLabel>();
        RegisterClass<TPanel>();
        RegisterClass<TImageList>();
        RegisterClass<TMainMenu>();
        RegisterClass<TPopupMenu>();
        RegisterClass<TMenuItem>();
        form = CreateOwned<TControlsForm>();
        form->Show();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->Handle()) && GetForegroundWindow() == form->Handle(); }, 5000));
        PumpFor(100);
    }
    void TearDown() override {
        form.reset();
        PumpFor(20);
    }
    // Log entries since the last call.
    std::vector<std::string> Taken() { return std::exchange(form->Log, {}); }
    template <class T>
    T* Find(const char* Name) {
        T* c = form->Find<T>(Name);
        EXPECT_NE(c, nullptr) << Name;
        return c;
    }
    std::string StatusText() { return Find<TPanel>("StatusPanel")->Caption(); }

    TOwned<TControlsForm> form;
};

using Log = std::vector<std::string>;

TEST_F(EveryControlForm, DrivenLikeAUser) {
    auto* edit = Find<TEdit>("TitleEdit");
    auto* check = Find<TCheckBox>("RandomCheck");
    auto* memo = Find<TMemo>("LogMemo");
    auto* pages = Find<TPageControl>("Pages");
    auto* list = Find<TListView>("MovieList");
    auto* bar = Find<TToolBar>("ToolBar");
    auto* image = Find<TImage>("Logo");
    ASSERT_TRUE(edit && check && memo && pages && list && bar && image);

    // Loaded: parents from the nesting, references resolved, OnCreate once and last.
    EXPECT_EQ(Taken(), Log{"create with images"});
    EXPECT_EQ(check->Parent(), Find<TGroupBox>("PublisherGroup"));
    EXPECT_EQ(image->Parent(), Find<TPanel>("LogoFrame"));
    EXPECT_EQ(GetMenu(form->Handle()), form->Menu()->Handle());
    EXPECT_EQ(list->PopupMenu(), Find<TPopupMenu>("ListPopupMenu"));
    EXPECT_EQ(Find<TToolButton>("RecentButton")->MenuItem(), Find<TMenuItem>("MMRecent"));
    EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("InfoSheet"));
    ASSERT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(0)->Name(), "NewButton");
    ASSERT_NE(image->Picture()->Bitmap(), nullptr);
    EXPECT_EQ(image->Picture()->Bitmap()->Width(), 32);
    EXPECT_EQ(memo->Lines()->Count(), 1);

    {
        SCOPED_TRACE("typing into the edit");
        LeftClick(edit->Handle(), POINT{4, 8});
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit->Handle(); }, 2000));
        PressKey(edit->Handle(), VK_END);
        TypeChars(edit->Handle(), " Saver");
        EXPECT_EQ(edit->Text(), "My Saver");
        EXPECT_EQ(form->Caption(), "Every control - My Saver");
    }
    {
        SCOPED_TRACE("clicking the check box");
        LeftClick(check->Handle(), POINT{6, check->Height() / 2});
        EXPECT_TRUE(check->Checked());
        EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(Taken(), Log{"random on"});
        ASSERT_EQ(memo->Lines()->Count(), 2);
        EXPECT_EQ(memo->Lines()->Strings(1), "Movies play in random order.");
    }
    {
        SCOPED_TRACE("clicking a button, then Enter and Escape from the edit");
        auto* build = Find<TButton>("BuildButton");
        ClickAt(build->Handle(), build->Width() / 2, build->Height() / 2);
        EXPECT_EQ(Taken(), Log{"build"});
        EXPECT_EQ(memo->Lines()->Strings(memo->Lines()->Count() - 1), "Building My Saver...");
        edit->SetFocus();
        PumpFor(30);
        PressKeys({VK_RETURN});
        PressKeys({VK_ESCAPE});
        EXPECT_EQ(Taken(), (Log{"build", "cancel"})) << "Default and Cancel answer Enter and Escape";
        EXPECT_EQ(memo->Lines()->Count(), 4);
        EXPECT_EQ(edit->Text(), "My Saver") << "the keys did not reach the edit as text";
    }
    SaveShot(form.get(), "every-control-information.bmp");
    {
        SCOPED_TRACE("switching pages by clicking the tab");
        RECT tab{};
        ASSERT_TRUE(SendMessageA(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab)));
        LeftClick(pages->Handle(), Centre(tab));
        EXPECT_EQ(pages->ActivePageIndex(), 1);
        EXPECT_EQ(Taken(), Log{"page 1"});
        EXPECT_TRUE(IsWindowVisible(list->Handle()));
        EXPECT_FALSE(IsWindowVisible(edit->Handle()));
    }
    auto itemPoint = [&](int Index) {
        RECT r{};
        r.left = LVIR_ICON;
        SendMessageA(list->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
        return Centre(r);
    };
    {
        SCOPED_TRACE("selecting and double-clicking a movie with its 128 x 128 picture");
        RECT icon{};
        icon.left = LVIR_ICON;
        SendMessageA(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&icon));
        EXPECT_GE(icon.bottom - icon.top, 128);
        LeftClick(list->Handle(), itemPoint(1));
        ASSERT_NE(list->Selected(), nullptr);
        EXPECT_EQ(list->Selected()->Caption(), "second.swf");
        EXPECT_TRUE(Taken().empty()) << "a single click plays nothing";
        LeftClick(list->Handle(), itemPoint(1), true);
        EXPECT_EQ(Taken(), Log{"play second.swf"});
        EXPECT_EQ(StatusText(), "Playing second.swf");
    }
    {
        SCOPED_TRACE("a right click on the list and Remove chosen from its menu");
        LeftClick(list->Handle(), itemPoint(0));
        TMenuDriver user(Find<TPopupMenu>("ListPopupMenu")->Handle(), Find<TMenuItem>("PMRemove")->Command());
        RightClickAt(list->Handle(), itemPoint(0).x, itemPoint(0).y);
        EXPECT_TRUE(PumpUntil([&] { return form->Log.size() >= 2; }, 8000));
        EXPECT_TRUE(user.Found());
        EXPECT_EQ(Taken(), (Log{"popup from MovieList", "remove first.swf"}));
        ASSERT_EQ(list->Items()->Count(), 2);
        EXPECT_EQ(list->Items()->Item(0)->Caption(), "second.swf");
        EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    }
    {
        SCOPED_TRACE("Ctrl+S pressed while the list has the focus");
        list->SetFocus();
        PumpFor(30);
        PressKeys({VK_CONTROL, 'S'});
        EXPECT_EQ(Taken(), Log{"save"});
        EXPECT_EQ(StatusText(), "Saved");
    }
    {
        SCOPED_TRACE("a tool button");
        auto* b = Find<TToolButton>("NewButton");
        LeftClick(bar->Handle(), POINT{b->Left() + b->Width() / 2, b->Top() + b->Height() / 2});
        EXPECT_EQ(Taken(), Log{"new"});
        EXPECT_EQ(edit->Text(), "");
    }
    {
        SCOPED_TRACE("a tool button dropping its menu item's submenu");
        auto* b = Find<TToolButton>("RecentButton");
        TMenuDriver user(nullptr, Find<TMenuItem>("MMRecentSecond")->Command());
        // The face, not the arrow: this button's whole face drops the menu.
        LeftClick(bar->Handle(), POINT{b->Left() + 8, b->Top() + b->Height() / 2});
        EXPECT_TRUE(PumpUntil([&] { return !form->Log.empty(); }, 8000));
        EXPECT_TRUE(user.Found());
        EXPECT_EQ(Taken(), Log{"recent second.swf"});
        EXPECT_EQ(StatusText(), "Opened second.swf");
        EXPECT_EQ(SendMessageA(bar->Handle(), TB_ISBUTTONPRESSED, static_cast<WPARAM>(b->CommandId()), 0), 0)
            << "the button comes up once its menu has closed";
    }
    LeftClick(list->Handle(), itemPoint(1));
    SaveShot(form.get(), "every-control-movies.bmp");
}

}  // namespace
