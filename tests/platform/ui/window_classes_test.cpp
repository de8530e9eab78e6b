#include "platform/afx/controls.h"
#include "platform/afx/controls_host.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/gdi.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct ClassCase {
    const char* label;
    LPCWSTR className;
    DWORD style;
    WindowKind kind;
    // Whether the object a caller gets for the handle is of the control's own class.
    std::function<bool(CWnd*)> objectMatches;
};

template <class T>
bool Is(CWnd* w)
{
    return dynamic_cast<T*>(w) != nullptr;
}

bool Any(CWnd* w) { return w != nullptr; }

class WindowClassesTest : public ::testing::TestWithParam<ClassCase> {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), u"parent", WS_POPUP, 0, 0, 200, 100, nullptr, 0));
    }
    CWnd parent;
};

TEST_P(WindowClassesTest, ClassNameInAnyCaseBuildsItsControl)
{
    const ClassCase& c = GetParam();
    CWnd child;
    ASSERT_TRUE(child.Create(c.className, u"text", c.style, CRect(0, 0, 40, 20), &parent, 7));
    WindowRecord* r = WindowRecord::From(child.m_hWnd);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->kind, c.kind);
    EXPECT_EQ(r->id, 7);
    const HWND handle = child.UnsubclassWindow();
    EXPECT_TRUE(c.objectMatches(CWnd::FromHandle(handle)));
    ::SendMessage(handle, WM_CLOSE, 0, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WindowClassesTest,
    ::testing::Values(ClassCase{"push_button", u"button", BS_PUSHBUTTON, WindowKind::Button, Is<CButton>},
                      ClassCase{"check_box", u"Button", BS_AUTOCHECKBOX, WindowKind::Button, Is<CButton>},
                      ClassCase{"radio_button", u"BUTTON", BS_RADIOBUTTON, WindowKind::Button, Is<CButton>},
                      ClassCase{"group_box", u"BUTTON", BS_GROUPBOX, WindowKind::Button, Is<CButton>},
                      ClassCase{"static", u"Static", SS_LEFT, WindowKind::Static, Is<CStatic>},
                      ClassCase{"edit", u"edit", 0, WindowKind::Edit, Is<CEdit>},
                      ClassCase{"combo_box", u"ComboBox", CBS_DROPDOWNLIST, WindowKind::ComboBox, Is<CComboBox>},
                      ClassCase{"combo_box_ex", u"COMBOBOXEX32", CBS_DROPDOWNLIST, WindowKind::ComboBoxEx,
                                Is<CComboBoxEx>},
                      ClassCase{"list_box", u"listbox", 0, WindowKind::ListBox, Is<CListBox>},
                      ClassCase{"trackbar", u"MSCTLS_TRACKBAR32", 0, WindowKind::Trackbar, Is<CSliderCtrl>},
                      ClassCase{"up_down", u"msctls_updown32", 0, WindowKind::UpDown, Is<CSpinButtonCtrl>},
                      ClassCase{"dialog", u"#32770", 0, WindowKind::Dialog, Any},
                      ClassCase{"unknown", u"NoSuchClass", 0, WindowKind::Generic, Any}),
    [](const ::testing::TestParamInfo<ClassCase>& info) { return std::string(info.param.label); });

TEST(WindowClasses, RegisteringTheSameBackgroundAgainGivesTheSameClass)
{
    TestApp();
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    const std::u16string first = AfxRegisterWndClass(0, nullptr, red);
    EXPECT_EQ(std::u16string(AfxRegisterWndClass(0, nullptr, red)), first);
    EXPECT_NE(std::u16string(AfxRegisterWndClass(0, nullptr, blue)), first);
    // A registered class is a plain window whatever its name looks like.
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, first.c_str(), u"red", WS_POPUP, 0, 0, 20, 20, nullptr, 0));
    EXPECT_EQ(WindowRecord::From(w.m_hWnd)->kind, WindowKind::Generic);
    w.DestroyWindow();
    DeleteObject(red);
    DeleteObject(blue);
}

} // namespace
