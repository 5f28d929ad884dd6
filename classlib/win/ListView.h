#pragma once
// List views on the native SysListView32 class. The items are kept by the
// control (caption, image index) and put into the window whenever it is
// made, so a re-created window shows the same list; the selection lives in
// the window. Large images come from a TImageList that the control
// references but does not own.

#include "ImageList.h"
#include "WinControl.h"

#include <memory>
#include <vector>

class TCustomListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TIconArrangement { iaTop, iaLeft };

class TListItem : public TPersistent {
public:
    explicit TListItem(TListItems* Owner) : owner_(Owner) {}
    std::string ClassName() const override { return "TListItem"; }

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    int Index() const;
    bool Selected() const;
    void SetSelected(bool Value);
    TListItems* Owner() const { return owner_; }
    TCustomListView* ListView() const;
    void* Data = nullptr;
    // Removes the item from its list and frees it.
    void Delete();

private:
    friend class TListItems;
    friend class TCustomListView;
    TListItems* owner_;
    std::string caption_;
    int imageIndex_ = -1;
    bool selected_ = false;  // while the list view has no window
};

class TListItems : public TPersistent {
public:
    explicit TListItems(TCustomListView* Owner) : view_(Owner) {}
    std::string ClassName() const override { return "TListItems"; }

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError "List index out of bounds (%d)".
    TListItem* Item(int Index) const;
    TListItem* operator[](int Index) const { return Item(Index); }
    TListItem* Add();
    TListItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TListItem* Item) const;
    TCustomListView* Owner() const { return view_; }
    // The window is not redrawn until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    std::vector<std::unique_ptr<TListItem>> items_;
    TCustomListView* view_;
    int updateCount_ = 0;
};

class TIconOptions : public TPersistent {
public:
    explicit TIconOptions(TCustomListView* Owner) : view_(Owner) {}
    std::string ClassName() const override { return "TIconOptions"; }
    static const TClassInfo& StaticClassInfo();
    void Assign(TPersistent* Source) override;

    TIconArrangement Arrangement() const { return arrangement_; }
    void SetArrangement(TIconArrangement Value);
    bool AutoArrange() const { return autoArrange_; }
    void SetAutoArrange(bool Value);
    bool WrapText() const { return wrapText_; }
    void SetWrapText(bool Value);

private:
    TCustomListView* view_;
    TIconArrangement arrangement_ = iaTop;
    bool autoArrange_ = false;
    bool wrapText_ = true;
};

class TCustomListView : public TWinControl {
public:
    TCustomListView();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TListItems* Items() { return &items_; }
    TIconOptions* IconOptions() { return &iconOptions_; }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle Value);
    // Without ReadOnly the captions can be edited in place.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool Value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TImageList* Value);
    TImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TImageList* Value);

    // The first selected item, or null; setting selects only that item.
    TListItem* Selected();
    void SetSelected(TListItem* Value);
    int SelCount();
    // Scrolls the contents by pixels (rows in the report view's vertical direction).
    void Scroll(int DX, int DY);
    // Lays the icons out again.
    void Arrange();
    // Report-view columns, kept by the control like its items: a new window
    // gets them again.
    void AddColumn(const std::string& Caption, int Width);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Orders the items by caption, case-insensitively, in the list and in the
    // window; items of equal caption keep their order. True when sorted.
    bool AlphaSort();
    // The item at a point of the client area, or null.
    TListItem* GetItemAt(int X, int Y);

    // A caption edited in place; the handler may change S or refuse.
    TEvent<TObject*, TListItem*, std::string&> OnEdited;
    // The selection of Item changed.
    TEvent<TObject*, TListItem*, bool> OnSelectItem;

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TIconOptions;
    struct TColumn {
        std::string Caption;
        int Width = 0;
    };
    void InsertWindowColumn(const TColumn& Column, int Index);
    void InsertWindowItem(TListItem* Item, int Index);
    void UpdateWindowItem(TListItem* Item);
    void ApplyColors();
    void ApplyImages();
    void HandleNotify(TMessage& Message);

    TListItems items_;
    std::vector<TColumn> columns_;
    TIconOptions iconOptions_;
    TViewStyle viewStyle_ = vsIcon;
    bool readOnly_ = false;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TImageList* largeImages_ = nullptr;
    TImageList* smallImages_ = nullptr;
};

class TListView : public TCustomListView {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
