#include "Bitmap.h"
#include "FormDescError.h"
#include "FormReader.h"
#include "FormResource.h"
#include "Picture.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {

class TResForm : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TResForm, TComponent>("TResForm", [](auto& c) {
            c.String("Caption", &TResForm::Caption, &TResForm::SetCaption);
            c.Object("Picture", &TResForm::Picture);
        });
        return info;
    }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    TPicture* Picture() { return &picture_; }

private:
    std::string caption_;
    TPicture picture_;
};

// Described under a class name the program holds no resource for.
class TMissingForm : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TMissingForm, TComponent>("TMissingForm", [](auto&) {});
        return info;
    }
};

TEST(FormResource, FormReadsItsDescriptionFromTheProgram) {
    EXPECT_TRUE(HasFormResource("TResForm"));
    EXPECT_FALSE(HasFormResource("TMissingForm"));
    auto form = CreateOwned<TResForm>();
    ReadFormResource(form.get());
    EXPECT_EQ(form->Name(), "ResForm");
    EXPECT_EQ(form->Caption(), "From resources");
    // The picture held in the description is a 2x2 bitmap, red above blue.
    ASSERT_NE(form->Picture()->Graphic(), nullptr);
    ASSERT_TRUE(form->Picture()->Graphic()->Is<TBitmap>());
    TBitmap* b = form->Picture()->Bitmap();
    EXPECT_EQ(b->Width(), 2);
    EXPECT_EQ(b->Height(), 2);
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), TColor(0x0000FF));
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), TColor(0xFFFFFF));
    EXPECT_EQ(b->Canvas()->Pixels(0, 1), TColor(0xFF0000));
}

TEST(FormResource, MissingDescriptionRaises) {
    auto form = CreateOwned<TMissingForm>();
    try {
        ReadFormResource(form.get());
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource TMissingForm not found");
    }
}

TEST(FormResource, PictureOfUnknownClassIsAFaultOfTheDescription) {
    auto form = CreateOwned<TResForm>();
    try {
        ReadFormDescriptionText(form.get(), "F: TResForm\n Picture.Data = {03414243}\nend\n", "Pic");
        FAIL() << "no error";
    } catch (const EFormDescError& e) {
        EXPECT_EQ(e.PropertyName(), "Picture.Data");
        EXPECT_EQ(e.Detail(), "Unknown picture class ABC");
    }
    EXPECT_EQ(form->Picture()->Graphic(), nullptr);
}

}  // namespace
