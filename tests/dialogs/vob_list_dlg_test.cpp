#include "dialogs/vob_list_dlg.h"
#include "platform/afx/shell.h"
#include "resources/aux_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QFileDialog>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

CString Wide(const std::string& s)
{
    return CString(reinterpret_cast<const char16_t*>(QString::fromStdString(s).utf16()));
}

std::vector<CString> Rows(CVobListDlg& d)
{
    std::vector<CString> rows;
    for (int i = 0; i < d.FileList().GetCount(); ++i) {
        CString text;
        d.FileList().GetText(i, text);
        rows.push_back(text);
    }
    return rows;
}

std::vector<CString> Items(const CStringArray& a)
{
    std::vector<CString> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(a[i]);
    return v;
}

CStringArray Array(const std::vector<CString>& v)
{
    CStringArray a;
    for (const CString& s : v)
        a.Add(s);
    return a;
}

class VobListTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void Touch(const std::string& name) const { WriteFileText(folder.Path() + "/" + name, "x"); }
    CString In(const std::string& name) const { return Wide(folder.Path() + "/" + name); }
    INT_PTR Run(CVobListDlg& dlg, std::function<void(CVobListDlg&)> step)
    {
        return RunModal(dlg, [&](CDialog&) { step(dlg); });
    }
    static void AnswerPicker(std::function<void(QFileDialog*)> answer)
    {
        WhenModal([answer] {
            auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            answer(picker);
        });
    }

    ScopedLocale locale{kEnglishLocale};
    TempFolder folder;
    const std::vector<CString> abc{u"/v/a.VOB", u"/v/b.VOB", u"/v/c.VOB"};
};

TEST_F(VobListTest, AFolderListsItsVobFilesSortedByFoldedNameWithoutCut)
{
    for (const char* name : {"b.VOB", "A.vob", "a2.VOB", "_x.VOB", "c.mpg", "Z.Vob"})
        Touch(name);
    std::filesystem::create_directory(folder.Path() + "/sub.VOB");
    EXPECT_EQ(Items(ListVobFiles(Wide(folder.Path()))),
              (std::vector<CString>{In("_x.VOB"), In("A.vob"), In("a2.VOB"), In("b.VOB"), In("Z.Vob")}));

    TempFolder many;
    for (int i = 0; i < 300; ++i)
        WriteFileText(many.Path() + "/" + std::to_string(1000 + i) + ".VOB", "x");
    const CStringArray all = ListVobFiles(Wide(many.Path()));
    ASSERT_EQ(all.GetSize(), 300);
    EXPECT_EQ(all[299], Wide(many.Path() + "/1299.VOB"));
}

TEST_F(VobListTest, OkReturnsTheListAsEditedAndCancelTheListItOpenedWith)
{
    for (bool ok : {true, false}) {
        CVobListDlg dlg(nullptr, Array(abc), CString());
        std::vector<CString> opened;
        const INT_PTR end = Run(dlg, [&](CVobListDlg& d) {
            opened = Rows(d);
            d.FileList().SetCurSel(2);
            Click(d, IDC_VOB_UP); // c before b
            d.FileList().SetCurSel(0);
            Click(d, IDC_VOB_UP); // the first row stays first
            Click(d, IDC_VOB_DELETE); // a goes
            d.SendMessage(WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        });
        EXPECT_EQ(opened, abc);
        EXPECT_EQ(end, ok ? IDOK : IDCANCEL);
        EXPECT_EQ(Items(dlg.Files()), ok ? (std::vector<CString>{u"/v/c.VOB", u"/v/b.VOB"}) : abc);
    }
}

TEST_F(VobListTest, DownResetAndDropsEditTheList)
{
    CVobListDlg dlg(nullptr, Array(abc), CString());
    Run(dlg, [&](CVobListDlg& d) {
        d.FileList().SetCurSel(0);
        Click(d, IDC_VOB_DOWN);
        EXPECT_EQ(Rows(d), (std::vector<CString>{u"/v/b.VOB", u"/v/a.VOB", u"/v/c.VOB"}));
        d.FileList().SetCurSel(2);
        Click(d, IDC_VOB_DOWN); // the last row stays last
        EXPECT_EQ(Rows(d).back(), CString(u"/v/c.VOB"));
        Click(d, IDC_VOB_RESET);
        EXPECT_TRUE(Rows(d).empty());
        DropFileList drop({CString(u"/w/one.VOB"), CString(u"/w/two.mpg")});
        d.FileList().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop.Handle()), 0);
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(Items(dlg.Files()), (std::vector<CString>{u"/w/one.VOB", u"/w/two.mpg"}));
}

TEST_F(VobListTest, FolderReplacesTheListAndACancelledPickerKeepsTheEdits)
{
    for (const char* name : {"2.VOB", "1.VOB", "3.vob"})
        Touch(name);
    CVobListDlg dlg(nullptr, Array(abc), CString());
    const QString path = QString::fromStdString(folder.Path());
    std::vector<CString> afterFolder, afterCancel;
    Run(dlg, [&](CVobListDlg& d) {
        AnswerPicker([path](QFileDialog* picker) {
            picker->setDirectory(path);
            picker->selectFile(path);
            static_cast<QDialog*>(picker)->accept();
        });
        Click(d, IDC_VOB_FOLDER);
        afterFolder = Rows(d);
        d.FileList().SetCurSel(0);
        Click(d, IDC_VOB_DELETE);
        AnswerPicker([](QFileDialog* picker) { picker->reject(); });
        Click(d, IDC_VOB_FOLDER);
        afterCancel = Rows(d);
    });
    EXPECT_EQ(afterFolder, (std::vector<CString>{In("1.VOB"), In("2.VOB"), In("3.vob")}));
    EXPECT_EQ(afterCancel, (std::vector<CString>{In("2.VOB"), In("3.vob")}));
    EXPECT_EQ(QDir(QString::fromUtf16(dlg.Folder().GetString())).canonicalPath(), QDir(path).canonicalPath());
}

TEST_F(VobListTest, AddedFilesGoInAtTheSelectionWithTheFilterOfTheLanguage)
{
    Touch("new.VOB");
    for (const char* lang : {kEnglishLocale, kJapaneseLocale}) {
        ScopedLocale language(lang);
        CVobListDlg dlg(nullptr, Array(abc), CString());
        QStringList filters;
        Run(dlg, [&](CVobListDlg& d) {
            AnswerPicker([&](QFileDialog* picker) {
                filters = picker->nameFilters();
                picker->setDirectory(QString::fromStdString(folder.Path()));
                picker->selectFile("new.VOB");
                static_cast<QDialog*>(picker)->accept();
            });
            d.FileList().SetCurSel(1);
            Click(d, IDC_VOB_ADD);
            d.SendMessage(WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(Items(dlg.Files()), (std::vector<CString>{u"/v/a.VOB", In("new.VOB"), u"/v/b.VOB", u"/v/c.VOB"}));
        ASSERT_EQ(filters.size(), 2);
        EXPECT_EQ(filters[1],
                  lang == kEnglishLocale ? QString("all (*.*)") : QString::fromUtf16(u"すべてのファイル (*.*)"));
    }
}

TEST_F(VobListTest, HoldingAnArrowRepeatsFromTheThirdTick)
{
    CVobListDlg dlg(nullptr, Array(abc), CString());
    std::vector<std::vector<CString>> perTick;
    Run(dlg, [&](CVobListDlg& d) {
        d.FileList().SetCurSel(2);
        QWidget* up = WidgetOf(d.GetDlgItem(IDC_VOB_UP));
        const QPoint inside(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(inside), QPointF(up->mapToGlobal(inside)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(up, &press);
        ASSERT_EQ(CWnd::GetCapture() ? CWnd::GetCapture()->GetDlgCtrlID() : 0, IDC_VOB_UP);
        for (int tick = 0; tick < 3; ++tick) {
            d.OnTimer(1);
            perTick.push_back(Rows(d));
        }
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(inside), QPointF(up->mapToGlobal(inside)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(up, &release); // the click itself moves once more
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        d.OnTimer(1);
        perTick.push_back(Rows(d));
    });
    ASSERT_EQ(perTick.size(), 4u);
    EXPECT_EQ(perTick[0], abc);
    EXPECT_EQ(perTick[1], abc);
    EXPECT_EQ(perTick[2], (std::vector<CString>{u"/v/a.VOB", u"/v/c.VOB", u"/v/b.VOB"}));
    EXPECT_EQ(perTick[3], (std::vector<CString>{u"/v/c.VOB", u"/v/a.VOB", u"/v/b.VOB"}));
}

// The file dialog shows each filter's description as the dialog wrote it, blanks and case kept.
TEST_F(VobListTest, TheFileDialogShowsTheFiltersAsWritten)
{
    for (const char* lang : {kEnglishLocale, kJapaneseLocale}) {
        ScopedLocale language(lang);
        CVobListDlg dlg(nullptr, Array(abc), CString());
        QStringList shown;
        Run(dlg, [&](CVobListDlg& d) {
            AnswerPicker([&](QFileDialog* picker) {
                if (auto* types = picker->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
                    for (int i = 0; i < types->count(); ++i)
                        shown.append(types->itemText(i));
                picker->reject();
            });
            Click(d, IDC_VOB_ADD);
        });
        EXPECT_EQ(shown, (QStringList{QStringLiteral("MPEG-2 (*.VOB;*.mpg;*.mpeg)"),
                                      lang == kEnglishLocale ? QStringLiteral("all (*.*)")
                                                             : QString::fromUtf16(u"すべてのファイル  (*.*)")}));
    }
}

} // namespace

TEST_F(VobListTest, FolderOnAFolderWithoutVobFilesEmptiesTheList)
{
    Touch("clip.mpg");
    Touch("notes.txt");
    std::filesystem::create_directory(folder.Path() + "/inner.VOB");
    CVobListDlg dlg(nullptr, Array(abc), CString());
    const QString path = QString::fromStdString(folder.Path());
    std::vector<CString> before, after;
    const INT_PTR result = Run(dlg, [&](CVobListDlg& d) {
        before = Rows(d);
        AnswerPicker([path](QFileDialog* picker) {
            picker->setDirectory(path);
            picker->selectFile(path);
            static_cast<QDialog*>(picker)->accept();
        });
        QWidget* button = WidgetOf(d.GetDlgItem(IDC_VOB_FOLDER));
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        after = Rows(d);
        QWidget* ok = WidgetOf(d.GetDlgItem(IDOK));
        QTest::mouseClick(ok, Qt::LeftButton, Qt::NoModifier, ok->rect().center());
    });
    EXPECT_EQ(before, abc);
    EXPECT_TRUE(after.empty());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.Files().GetSize(), 0);
}
