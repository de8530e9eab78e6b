#include "dialogs/wmv_set_dlg.h"

#include "platform/afx/cfiledialog.h"

#include "tests/dialogs/encoder_dialog_test_support.h"
#include "tests/support/cstring_printer.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_support.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <set>

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

namespace {

constexpr int IDC_VERSION = 42080, IDC_TWO_PASS = 42129, IDC_V4_LABEL = 42107, IDC_V4 = 42086, IDC_V7_LABEL = 42114,
              IDC_V7 = 42098, IDC_V8_LABEL = 42119, IDC_V8 = 42103, IDC_PRX_LABEL = 42125, IDC_PRX = 42012,
              IDC_BROWSE = 42123;

QComboBox* Combo(CWnd& d, int id) { return static_cast<QComboBox*>(WidgetOf(d.GetDlgItem(id))); }

struct Row {
    const char16_t* text;
    int data;
};

std::vector<Row> RowsOf(CWnd& d, int id)
{
    std::vector<Row> rows;
    QComboBox* combo = Combo(d, id);
    static std::vector<std::u16string> keep;
    for (int i = 0; i < combo->count(); ++i) {
        keep.push_back(combo->itemText(i).toStdU16String());
        rows.push_back(
            {keep.back().c_str(), static_cast<int>(static_cast<CComboBox*>(d.GetDlgItem(id))->GetItemData(i))});
    }
    return rows;
}

void ExpectRows(const std::vector<Row>& got, std::initializer_list<Row> expected, const char* list)
{
    ASSERT_EQ(got.size(), expected.size()) << list;
    size_t i = 0;
    for (const Row& e : expected) {
        EXPECT_EQ(std::u16string(got[i].text), std::u16string(e.text)) << list << " row " << i;
        EXPECT_EQ(got[i].data, e.data) << list << " row " << i;
        ++i;
    }
}

// The dialog with a runtime that has no system profiles of some versions.
class WmvSetWithoutProfiles : public CWMVSet {
public:
    WmvSetWithoutProfiles(std::set<WMT_VERSION> missing) : CWMVSet(nullptr), m_missing(std::move(missing)) {}

protected:
    DWORD CountProfiles(WMT_VERSION version) const override
    {
        return m_missing.count(version) ? 0 : CWMVSet::CountProfiles(version);
    }

private:
    std::set<WMT_VERSION> m_missing;
};

class WmvSetDlgTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    TempConfigHome m_home;
};

TEST_F(WmvSetDlgTest, TheThreeListsHoldTheirProfilesRowByRow)
{
    CInfo info(FALSE);
    std::vector<Row> v4, v7, v8;
    WithDialog<CWMVSet>([&](CWMVSet& d) {
        v4 = RowsOf(d, IDC_V4);
        v7 = RowsOf(d, IDC_V7);
        v8 = RowsOf(d, IDC_V8);
        WidgetOf(&d)->close();
    });
    EXPECT_EQ(EditWmvSettings(&info, nullptr), -2);
    ExpectRows(v4,
               {{u"01. 160x120 (14-28K)", 13},
                {u"02. 160x120 (28-56K)", 1},
                {u"03. 176x144 (14-28K)", 12},
                {u"04. 176x144 (28-56K)", 15},
                {u"05. 176x144 (28-100K)", 3},
                {u"06. 320x240 (100-700K)", 2},
                {u"07. 160x120 (28K)", 14},
                {u"08. 176x144 (56K)", 16},
                {u"09. 320x240 (100K)", 17},
                {u"10. 320x240 (250K)", 18},
                {u"11. 320x240 (512K)", 19},
                {u"12. 320x240 (1M)", 20},
                {u"13. 320x240 (3M)", 21}},
               "v4");
    ExpectRows(v7,
               {{u"01. 160x120 (14-28K)", 5},
                {u"02. 176x144 (14-28K)", 4},
                {u"03. 176x144 (28-56K)", 1},
                {u"04. 176x144 (28-100K)", 3},
                {u"05. 320x240 (100-500K)", 2},
                {u"06. 160x120 (28K)", 6},
                {u"07. 176x144 (28K)", 7},
                {u"08. 208x160 (150K)", 26},
                {u"09. 208x160 (225K)", 25},
                {u"10. 240x176 (56K)", 8},
                {u"11. 320x240 (100K)", 9},
                {u"12. 320x240 (250K)", 10},
                {u"13. 320x240 (384K)", 11},
                {u"14. 320x240 (700K)", 12},
                {u"15. 640x480 (700K)", 15},
                {u"16. 640x480 (1M)", 16},
                {u"17. 640x480 (1M)", 13},
                {u"18. 640x480 (2M)", 14}},
               "v7");
    ExpectRows(v8, {{u"01. 176x144 (28-56K)", 3},    {u"02. 176x144 (28-100K)", 5},  {u"03. 320x240 (100-500K)", 4},
                    {u"04. 160x120 (28K)", 6},       {u"05. 176x144 (28K)", 23},     {u"06. 176x144 (56K)", 7},
                    {u"07. 208x160 (150K)", 2},      {u"08. 208x160 (225K)", 1},     {u"09. 240x176 (56K)", 24},
                    {u"10. 240x176 (100K)", 8},      {u"11. 320x240 (256K)", 9},     {u"12. 320x240 (384K)", 10},
                    {u"13. 320x240 (450K)", 11},     {u"14. 320x240 (700K)", 12},    {u"15. 320x240 (1400K)", 13},
                    {u"16. 352x288 (384K)", 14},     {u"17. 352x288 (700K)", 15},    {u"18. 320x240 (VBR Fair)", 25},
                    {u"19. 320x240 (VBR High)", 26}, {u"20. 320x240 (VBR Best)", 27}},
               "v8");
}

TEST_F(WmvSetDlgTest, ListsOpenOnTheStoredIndexElseTheirDefault)
{
    struct Case {
        int wmv4, wmv7, wmv8;
        const char16_t *v4, *v7, *v8;
    };
    const Case cases[] = {
        {20, 13, 12, u"12. 320x240 (1M)", u"17. 640x480 (1M)", u"14. 320x240 (700K)"},
        {0, 0, 0, u"13. 320x240 (3M)", u"18. 640x480 (2M)", u"17. 352x288 (700K)"},
        {13, 5, 3, u"01. 160x120 (14-28K)", u"01. 160x120 (14-28K)", u"01. 176x144 (28-56K)"},
        {-1, 99, 27, u"13. 320x240 (3M)", u"18. 640x480 (2M)", u"20. 320x240 (VBR Best)"},
    };
    for (const Case& c : cases) {
        CInfo info(FALSE);
        info.WMV4 = c.wmv4;
        info.WMV7 = c.wmv7;
        info.WMV8 = c.wmv8;
        QString v4, v7, v8;
        WithDialog<CWMVSet>([&](CWMVSet& d) {
            v4 = Combo(d, IDC_V4)->currentText();
            v7 = Combo(d, IDC_V7)->currentText();
            v8 = Combo(d, IDC_V8)->currentText();
            WidgetOf(&d)->close();
        });
        EXPECT_EQ(EditWmvSettings(&info, nullptr), -2);
        EXPECT_EQ(v4.toStdU16String(), std::u16string(c.v4)) << c.wmv4;
        EXPECT_EQ(v7.toStdU16String(), std::u16string(c.v7)) << c.wmv7;
        EXPECT_EQ(v8.toStdU16String(), std::u16string(c.v8)) << c.wmv8;
    }
}

TEST_F(WmvSetDlgTest, TheVersionEnablesItsOwnControls)
{
    const int controls[] = {IDC_V4,       IDC_V4_LABEL, IDC_V7,        IDC_V7_LABEL, IDC_V8,
                            IDC_V8_LABEL, IDC_BROWSE,   IDC_PRX_LABEL, IDC_PRX,      IDC_TWO_PASS};
    // Per version row, the enabled state of the controls above.
    const std::vector<bool> expected[] = {
        {true, true, false, false, false, false, false, false, false, false},
        {false, false, true, true, false, false, false, false, false, false},
        {false, false, false, false, true, true, false, false, false, false},
        {false, false, false, false, false, false, true, true, true, true},
    };
    CInfo info(FALSE);
    info.WMV = 2;
    std::vector<std::vector<bool>> seen;
    std::vector<QString> versions;
    WithDialog<CWMVSet>([&](CWMVSet& d) {
        for (int row = 0; row < 4; ++row) {
            ChooseRow(d, IDC_VERSION, row);
            versions.push_back(Combo(d, IDC_VERSION)->currentText());
            std::vector<bool> enabled;
            for (int id : controls)
                enabled.push_back(Enabled(d, id));
            seen.push_back(enabled);
        }
        WidgetOf(&d)->close();
    });
    EXPECT_EQ(EditWmvSettings(&info, nullptr), -2);
    ASSERT_EQ(seen.size(), 4u);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(seen[static_cast<size_t>(row)], expected[row]) << row;
    EXPECT_EQ(versions, std::vector<QString>({"V4", "V7", "V8", "PRX"}));
}

TEST_F(WmvSetDlgTest, EveryTextFitsInBothLanguages)
{
    for (const char* locale : {kEnglishLocale, kJapaneseLocale}) {
        ScopedLocale scoped(locale);
        CInfo info(FALSE);
        info.WMV = 3;
        std::vector<std::string> cut;
        WithDialog<CWMVSet>([&cut](CWMVSet& d) {
            cut = TextsThatDoNotFit(d);
            WidgetOf(&d)->close();
        });
        EditWmvSettings(&info, nullptr);
        EXPECT_EQ(cut, std::vector<std::string>()) << locale;
    }
}

TEST_F(WmvSetDlgTest, EveryProfileRowReadsWholeInItsClosedList)
{
    std::vector<std::string> cut;
    WithDialog<CWMVSet>([&cut](CWMVSet& d) {
        for (int id : {IDC_V4, IDC_V7, IDC_V8}) {
            QComboBox* combo = Combo(d, id);
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            const QFontMetrics metrics(combo->font());
            for (int row = 0; row < combo->count(); ++row)
                if (metrics.horizontalAdvance(combo->itemText(row)) > field.width())
                    cut.push_back(combo->itemText(row).toStdString());
        }
        WidgetOf(&d)->close();
    });
    CInfo info(FALSE);
    EditWmvSettings(&info, nullptr);
    EXPECT_EQ(cut, std::vector<std::string>());
}

TEST_F(WmvSetDlgTest, VersionRowsCarryTheirIcons)
{
    CInfo info(FALSE);
    std::vector<bool> hasIcon;
    WithDialog<CWMVSet>([&hasIcon](CWMVSet& d) {
        for (int i = 0; i < Combo(d, IDC_VERSION)->count(); ++i)
            hasIcon.push_back(!Combo(d, IDC_VERSION)->itemIcon(i).isNull());
        WidgetOf(&d)->close();
    });
    EditWmvSettings(&info, nullptr);
    EXPECT_EQ(hasIcon, std::vector<bool>(4, true));
}

TEST_F(WmvSetDlgTest, OKStoresEveryListsIndexTheModeThePathAndTwoPasses)
{
    CInfo info(FALSE);
    info.WMV = 1;
    info.WMV4 = 0;
    info.WMV7 = 13;
    info.WMV8 = 12;
    info.WMV2PASS = 0;
    info.PRX = u"/old/profile.prx";
    QString shownPath;
    WithDialog<CWMVSet>([&shownPath](CWMVSet& d) {
        shownPath = static_cast<QLineEdit*>(WidgetOf(d.GetDlgItem(IDC_PRX)))->text();
        ChooseRow(d, IDC_V8, 3);
        ChooseRow(d, IDC_VERSION, 3);
        static_cast<QCheckBox*>(WidgetOf(d.GetDlgItem(IDC_TWO_PASS)))->click();
        Click(d, IDOK);
    });
    EXPECT_EQ(EditWmvSettings(&info, nullptr), 0);
    EXPECT_EQ(shownPath, QStringLiteral("/old/profile.prx"));
    EXPECT_EQ(info.WMV, 3);
    EXPECT_EQ(info.WMV8, 6);
    EXPECT_EQ(info.WMV7, 13);
    EXPECT_EQ(info.WMV4, 21); // the default row's profile: the stored 0 matched no row
    EXPECT_EQ(info.WMV2PASS, 1);
    EXPECT_EQ(info.PRX, CString(u"/old/profile.prx"));
}

TEST_F(WmvSetDlgTest, AStoredTwoPassValueIsKeptUnlessTheBoxIsChanged)
{
    struct Case {
        int stored;
        bool click;
        bool shownChecked;
        int afterOK;
    };
    const Case cases[] = {
        {0, false, false, 0}, {1, false, true, 1}, {2, false, true, 2}, {-1, false, true, -1},
        {0, true, false, 1},  {2, true, true, 0},  {7, true, true, 0},
    };
    for (const Case& c : cases) {
        CInfo info(FALSE);
        info.WMV = 3;
        info.WMV2PASS = c.stored;
        bool shownChecked = !c.shownChecked;
        WithDialog<CWMVSet>([&](CWMVSet& d) {
            auto* box = static_cast<QCheckBox*>(WidgetOf(d.GetDlgItem(IDC_TWO_PASS)));
            shownChecked = box->isChecked();
            if (c.click)
                box->click();
            Click(d, IDOK);
        });
        EXPECT_EQ(EditWmvSettings(&info, nullptr), 0);
        EXPECT_EQ(shownChecked, c.shownChecked) << c.stored;
        EXPECT_EQ(info.WMV2PASS, c.afterOK) << c.stored << (c.click ? " clicked" : "");
    }
}

TEST_F(WmvSetDlgTest, StoredModeOutsideTheListOpensOnV7)
{
    for (int mode : {-1, 4, 99}) {
        CInfo info(FALSE);
        info.WMV = mode;
        QString shown;
        WithDialog<CWMVSet>([&shown](CWMVSet& d) {
            shown = Combo(d, IDC_VERSION)->currentText();
            Click(d, IDOK);
        });
        EXPECT_EQ(EditWmvSettings(&info, nullptr), 0);
        EXPECT_EQ(shown, QStringLiteral("V7")) << mode;
        EXPECT_EQ(info.WMV, 1) << mode;
    }
}

TEST_F(WmvSetDlgTest, AnEmptyListKeepsItsStoredIndex)
{
    TestApp();
    WmvSetWithoutProfiles dialog({WMT_VER_4_0, WMT_VER_8_0});
    dialog.m_info.WMV = 0;
    dialog.m_info.WMV4 = 20;
    dialog.m_info.WMV8 = 15;
    int v4Rows = -1, v8Rows = -1, v7Rows = -1;
    QString version;
    WithDialog<WmvSetWithoutProfiles>([&](WmvSetWithoutProfiles& d) {
        v4Rows = Combo(d, IDC_V4)->count();
        v7Rows = Combo(d, IDC_V7)->count();
        v8Rows = Combo(d, IDC_V8)->count();
        version = Combo(d, IDC_VERSION)->currentText();
        ChooseRow(d, IDC_VERSION, 2);
        Click(d, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(v4Rows, 0);
    EXPECT_EQ(v7Rows, 18);
    EXPECT_EQ(v8Rows, 0);
    EXPECT_EQ(version, QStringLiteral("V7"));
    EXPECT_EQ(dialog.m_info.WMV, 2);
    EXPECT_EQ(dialog.m_info.WMV4, 20);
    EXPECT_EQ(dialog.m_info.WMV8, 15);
}

TEST_F(WmvSetDlgTest, EscDoesNothingAndTheCloseBoxCancels)
{
    CInfo info(FALSE);
    info.WMV = 2;
    info.PRX = u"/kept.prx";
    bool openAfterEsc = false;
    WithDialog<CWMVSet>([&openAfterEsc](CWMVSet& d) {
        ChooseRow(d, IDC_VERSION, 0);
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(d.GetDlgItem(IDC_V4)), &esc);
        openAfterEsc = d.IsWindowVisible() != FALSE;
        WidgetOf(&d)->close();
    });
    EXPECT_EQ(EditWmvSettings(&info, nullptr), -2);
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(info.WMV, 2);
    EXPECT_EQ(info.PRX, CString(u"/kept.prx"));
}

TEST_F(WmvSetDlgTest, ADroppedFileReplacesThePathWhateverTheVersion)
{
    CInfo info(FALSE);
    info.WMV = 1;
    info.PRX = u"/first.prx";
    WithDialog<CWMVSet>([](CWMVSet& d) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/profiles/a.prx"), QUrl::fromLocalFile("/notes/readme.txt")});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(&d), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(&d), &drop);
        Click(d, IDOK);
    });
    EXPECT_EQ(EditWmvSettings(&info, nullptr), 0);
    EXPECT_EQ(info.PRX, CString(u"/notes/readme.txt"));
    EXPECT_EQ(info.WMV, 1);
}

// The names the file dialog lists, once they are the expected ones or the folder had ample time
// to load (it loads in the background).
QStringList ListedFiles(QFileDialog* dialog, const QStringList& expected)
{
    auto* view = dialog->findChild<QAbstractItemView*>("listView");
    QStringList names;
    QElapsedTimer timer;
    timer.start();
    while (view && view->model() && timer.elapsed() < 10000) {
        ProcessEvents();
        names.clear();
        for (int i = 0; i < view->model()->rowCount(view->rootIndex()); ++i)
            names.append(view->model()->index(i, 0, view->rootIndex()).data().toString());
        names.sort();
        if (names == expected)
            break;
    }
    return names;
}

TEST_F(WmvSetDlgTest, BrowsingOffersProfilesOfEitherCaseAndCancelKeepsThePath)
{
    TempDir folder;
    folder.WriteFile(u"lower.prx");
    folder.WriteFile(u"UPPER.PRX");
    folder.WriteFile(u"other.txt");
    CInfo info(FALSE);
    info.WMV = 3;
    info.PRX = folder.Path(u"lower.prx");
    QStringList listed;
    CString afterCancel;
    WithDialog<CWMVSet>([&](CWMVSet& d) {
        QTimer::singleShot(0, [&listed] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(files, nullptr);
            listed = ListedFiles(files, {"UPPER.PRX", "lower.prx"});
            // Typed as a user would; the dialog keeps the typed name while its field has the focus.
            files->findChild<QLineEdit*>("fileNameEdit")->setText(QStringLiteral("UPPER.PRX"));
            static_cast<QDialog*>(files)->accept();
        });
        Click(d, IDC_BROWSE);
        QTimer::singleShot(0, [] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(files, nullptr);
            files->reject();
        });
        Click(d, IDC_BROWSE);
        afterCancel = ItemText(d, IDC_PRX);
        Click(d, IDOK);
    });
    EXPECT_EQ(EditWmvSettings(&info, nullptr), 0);
    EXPECT_EQ(listed, QStringList({"UPPER.PRX", "lower.prx"}));
    EXPECT_EQ(afterCancel, folder.Path(u"UPPER.PRX"));
    EXPECT_EQ(info.PRX, folder.Path(u"UPPER.PRX"));
}

TEST(FileDialogFilterTest, FilterStringsBecomeNameFilters)
{
    struct Case {
        const char16_t* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {u"PRX (*.PRX)|*.PRX|", {"PRX (*.PRX)"}},
        {u"AVI (*.AVI)|*.avi|", {"AVI (*.avi)"}},
        {u"Pictures|*.jpg;*.png|All|*.*||", {"Pictures (*.jpg *.png)", "All (*.*)"}},
        {u"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileDialogNameFilters(CString(c.filter)), c.expected) << ToQString(c.filter).toStdString();
}

} // namespace

TEST_F(WmvSetDlgTest, EnterIsOKAndStoresWhatTheDialogShows)
{
    for (const int focus : {IDC_VERSION, IDC_V7}) {
        CInfo info(FALSE);
        info.WMV = 0;
        info.WMV7 = 13;
        int result = -1;
        int chosen = -1;
        WithDialog<CWMVSet>([&](CWMVSet& d) {
            ChooseRow(d, IDC_VERSION, 1);
            ChooseRow(d, IDC_V7, 2);
            chosen = RowsOf(d, IDC_V7)[2].data;
            QWidget* control = WidgetOf(d.GetDlgItem(focus));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
        });
        result = EditWmvSettings(&info, nullptr);
        EXPECT_EQ(result, 0) << focus;
        EXPECT_EQ(info.WMV, 1) << focus;
        EXPECT_EQ(info.WMV7, chosen) << focus;
    }
}

// Only one version without system profiles: its list is empty, the others full; the stored mode
// stays, and the empty version's list is the one enabled when its version is chosen.
TEST_F(WmvSetDlgTest, OnlyTheV7OrOnlyTheV8ListEmpty)
{
    struct Case {
        const char* name;
        WMT_VERSION missing;
        int mode;
        int v4Rows, v7Rows, v8Rows;
        int emptyList;
    };
    const Case cases[] = {
        {"no V7 profiles", WMT_VER_7_0, 1, 13, 0, 20, IDC_V7},
        {"no V8 profiles", WMT_VER_8_0, 2, 13, 18, 0, IDC_V8},
    };
    for (const Case& c : cases) {
        WmvSetWithoutProfiles dialog({c.missing});
        dialog.m_info.WMV = c.mode;
        dialog.m_info.WMV4 = 20;
        dialog.m_info.WMV7 = 13;
        dialog.m_info.WMV8 = 12;
        int v4Rows = -1, v7Rows = -1, v8Rows = -1;
        int version = -1;
        bool emptyListEnabled = false, v4Enabled = true;
        WithDialog<WmvSetWithoutProfiles>([&](WmvSetWithoutProfiles& d) {
            v4Rows = Combo(d, IDC_V4)->count();
            v7Rows = Combo(d, IDC_V7)->count();
            v8Rows = Combo(d, IDC_V8)->count();
            version = Combo(d, IDC_VERSION)->currentIndex();
            emptyListEnabled = Enabled(d, c.emptyList);
            v4Enabled = Enabled(d, IDC_V4);
            Click(d, IDOK);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK) << c.name;
        EXPECT_EQ(v4Rows, c.v4Rows) << c.name;
        EXPECT_EQ(v7Rows, c.v7Rows) << c.name;
        EXPECT_EQ(v8Rows, c.v8Rows) << c.name;
        EXPECT_EQ(version, c.mode) << c.name << ": the mode is kept";
        EXPECT_TRUE(emptyListEnabled) << c.name;
        EXPECT_FALSE(v4Enabled) << c.name;
        EXPECT_EQ(dialog.m_info.WMV, c.mode) << c.name;
        EXPECT_EQ(dialog.m_info.WMV4, 20) << c.name << ": the full list's row";
    }
}
