// The toolkit's own file dialogs in the program's language, with their texts shown whole.
#include "platform/afx/toolkit_file_dialog.h"
#include "platform/afx/toolkit_translations.h"
#include "tests/support/qt_app.h"

#include <QAbstractFileIconProvider>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QListView>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class ToolkitDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(UseToolkitTranslations(true)) << "the toolkit's Japanese catalogue is not installed";
    }
    void TearDown() override { UseToolkitTranslations(false); }
};

struct TypeNameCase {
    const char* what;
    bool folder;
    const char16_t* japanese;
    const char16_t* english;
};
void PrintTo(const TypeNameCase& c, std::ostream* os) { *os << c.what; }

class TypeNameTest : public ToolkitDialogsTest, public ::testing::WithParamInterface<TypeNameCase> {};

// The type column of the details view; the catalogue has no entry for these names.
TEST_P(TypeNameTest, TheDetailsTypeColumnSpeaksTheProgramsLanguage)
{
    QTemporaryDir dir;
    const QString path = GetParam().folder ? dir.path() : QStringLiteral("/");
    const QAbstractFileIconProvider names;
    EXPECT_EQ(names.type(QFileInfo(path)), QString::fromUtf16(GetParam().japanese));
    UseToolkitTranslations(false);
    EXPECT_EQ(names.type(QFileInfo(path)), QString::fromUtf16(GetParam().english));
}

INSTANTIATE_TEST_SUITE_P(Names, TypeNameTest,
                         ::testing::Values(TypeNameCase{"folder", true, u"フォルダ", u"Folder"},
                                           TypeNameCase{"root", false, u"ドライブ", u"Drive"}));

// The toolkit restores the places' width of an earlier session, which in English may be too
// narrow for the Japanese names; the details columns start narrower than a date.
TEST_F(ToolkitDialogsTest, PlacesAndDetailsColumnsAreWideEnoughForTheirTexts)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("frame.jpg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QByteArray narrowSession;
    {
        QFileDialog earlier(nullptr, QString(), dir.path());
        earlier.setOption(QFileDialog::DontUseNativeDialog);
        earlier.setViewMode(QFileDialog::Detail);
        earlier.resize(700, 450);
        earlier.show();
        ProcessEvents();
        auto* splitter = earlier.findChild<QSplitter*>(QStringLiteral("splitter"));
        ASSERT_NE(splitter, nullptr);
        QList<int> sizes = splitter->sizes();
        sizes[1] += sizes[0] - 60;
        sizes[0] = 60;
        splitter->setSizes(sizes);
        auto* details = earlier.findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(details, nullptr);
        for (int c = 1; c < details->header()->count(); ++c)
            details->setColumnWidth(c, 20);
        narrowSession = earlier.saveState();
    }

    QFileDialog dialog(nullptr, QString(), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.resize(700, 450);
    ASSERT_TRUE(dialog.restoreState(narrowSession));
    FitToolkitFileDialog(dialog);
    auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_TRUE(places && splitter && details);
    dialog.show();

    const QDeadlineTimer deadline(5000);
    bool loaded = false;
    while (!deadline.hasExpired() && !loaded) {
        ProcessEvents();
        loaded = details->model()->rowCount(details->rootIndex()) > 0 && details->columnWidth(3) > 20;
    }
    ASSERT_TRUE(loaded) << "the folder did not load";
    EXPECT_GE(places->viewport()->width(), places->sizeHintForColumn(0));
    for (int c = 1; c < details->header()->count(); ++c)
        EXPECT_GE(details->columnWidth(c), static_cast<QAbstractItemView*>(details)->sizeHintForColumn(c))
            << "column " << c;
    dialog.reject();
}

} // namespace
