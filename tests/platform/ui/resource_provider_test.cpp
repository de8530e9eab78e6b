#include "platform/afx/cstring.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/icon.h"
#include "platform/win/module.h"
#include "platform/win/resource_provider.h"
#include "platform/win/string_resource.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <QPixmap>

#include <array>

namespace {

constexpr UINT kIconId = 7001;

const std::array kStrings = {
    StringResource{10, u"ten"},
    StringResource{20, u"twenty"},
    StringResource{30, u"thirty"},
};

const DialogTemplate kFirst{500, 0, 0, 0, 0, 10, 10, u"first", nullptr, 9, {}};
const DialogTemplate kSecond{501, 0, 0, 0, 0, 10, 10, u"second", nullptr, 9, {}};
const std::array<const DialogTemplate*, 3> kTemplates = {&kFirst, nullptr, &kSecond};

const std::array<BYTE, 4> kVersion = {4, 0, 1, 2};

class FakeResources : public ResourceProvider {
public:
    std::span<const StringResource> Strings() const override { return kStrings; }
    std::span<const DialogTemplate* const> DialogTemplates() const override { return kTemplates; }
    QIcon DrawIcon(UINT id) const override
    {
        if (id != kIconId)
            return QIcon();
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }
    std::span<const BYTE> VersionRecord() const override { return version; }
    const MenuResource* FindMenu(UINT) const override { return nullptr; }
    const AcceleratorTableResource* FindAccelerators(UINT) const override { return nullptr; }
    const ToolBarResource* FindToolBar(UINT) const override { return nullptr; }
    QIcon DrawToolBarButton(UINT, UINT) const override { return QIcon(); }

    std::span<const BYTE> version = kVersion;
};

// Swaps the provider for the test's own and puts the program's back afterwards.
class ResourceProviderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        InstallResourceProvider(&fake);
    }
    void TearDown() override { InstallResourceProvider(saved); }

    const ResourceProvider* saved = InstalledResourceProvider();
    FakeResources fake;
};

HMODULE Self() { return LoadLibraryW(u"/proc/self/exe"); }

HRSRC FindVersion()
{
    return FindResourceExW(Self(), RT_VERSION, MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

} // namespace

TEST_F(ResourceProviderTest, StringsAreFoundByIdentifierAndGapsFindNothing)
{
    struct Case {
        UINT id;
        const char16_t* text;
    };
    for (const Case& c : {Case{10, u"ten"}, Case{20, u"twenty"}, Case{30, u"thirty"}, Case{0, nullptr},
                          Case{9, nullptr}, Case{15, nullptr}, Case{31, nullptr}}) {
        EXPECT_EQ(FindResourceString(c.id), c.text) << c.id;
        CString loaded(u"stale");
        EXPECT_EQ(loaded.LoadString(c.id), c.text ? TRUE : FALSE) << c.id;
        EXPECT_EQ(std::u16string(loaded.View()), std::u16string(c.text ? c.text : u"")) << c.id;
    }
}

TEST_F(ResourceProviderTest, DialogTemplatesAreFoundByIdentifierPastEmptySlots)
{
    EXPECT_EQ(FindDialogTemplate(500), &kFirst);
    EXPECT_EQ(FindDialogTemplate(501), &kSecond);
    EXPECT_EQ(FindDialogTemplate(502), nullptr);
}

TEST_F(ResourceProviderTest, IconsComeFromTheProviderOneSharedHandlePerId)
{
    const HICON icon = LoadIconResource(kIconId);
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(IconFromHandle(icon)->isNull());
    EXPECT_EQ(LoadIconResource(kIconId), icon);
    EXPECT_EQ(LoadIconResource(kIconId + 1), nullptr);
}

TEST_F(ResourceProviderTest, TheRunningProgramsVersionRecordIsTheProvidersBlock)
{
    const HMODULE self = Self();
    ASSERT_NE(self, nullptr);
    const HRSRC resource = FindVersion();
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(SizeofResource(self, resource), kVersion.size());
    EXPECT_EQ(LockResource(LoadResource(self, resource)), kVersion.data());

    fake.version = {};
    EXPECT_EQ(FindVersion(), nullptr);
}

TEST_F(ResourceProviderTest, WithoutAProviderNothingIsFound)
{
    InstallResourceProvider(nullptr);
    EXPECT_EQ(FindResourceString(10), nullptr);
    CString loaded(u"stale");
    EXPECT_FALSE(loaded.LoadString(10));
    EXPECT_TRUE(loaded.IsEmpty());
    EXPECT_EQ(FindDialogTemplate(500), nullptr);
    EXPECT_EQ(LoadIconResource(kIconId + 2), nullptr);
    EXPECT_EQ(FindVersion(), nullptr);
}
