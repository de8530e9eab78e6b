// Every text of the auxiliary dialogs fits its control in both languages, with the dialog font.
#include "dialogs/bat_encode_dlg.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/lumi_filter_dlg.h"
#include "dialogs/mp3_set_dlg.h"
#include "dialogs/save_set_dlg.h"
#include "dialogs/vob_list_dlg.h"
#include "dialogs/volume_dlg.h"
#include "dialogs/wma_set_dlg.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/scoped_locale.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Factory = std::function<std::unique_ptr<CDialog>()>;

struct LayoutCase {
    std::string name;
    Factory make;
    const char* locale;
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

QString Shown(const QString& text) { return QString(text).remove(QRegularExpression("&(?!&)")); }

// What of the control's text does not fit, or empty.
std::string Clipped(QWidget* w)
{
    const int slack = 2;
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty())
            return {};
        const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        const int longestWord = [&] {
            int widest = 0;
            // Japanese text breaks between any two characters; only other words must fit whole.
            static const QRegularExpression wide(QStringLiteral("[\\x{2E80}-\\x{FFEF}]"));
            for (const QString& word : label->text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
                if (!word.contains(wide))
                    widest = std::max(widest, label->fontMetrics().horizontalAdvance(word));
            return widest;
        }();
        if (needed > label->height() + slack || longestWord > label->width() + slack ||
            (!label->wordWrap() && label->sizeHint().width() > label->width() + slack))
            return label->text().toStdString();
        return {};
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        auto* b = static_cast<QAbstractButton*>(w);
        return b->sizeHint().width() > b->width() + slack ? b->text().toStdString() : std::string();
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        const int needed = b->fontMetrics().horizontalAdvance(Shown(b->text())) + 6;
        return needed > b->width() + slack ? b->text().toStdString() : std::string();
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        const int needed = g->fontMetrics().horizontalAdvance(g->title()) + 8;
        return needed > g->width() + slack ? g->title().toStdString() : std::string();
    }
    return {};
}

class DialogLayout : public ::testing::TestWithParam<LayoutCase> {
protected:
    void SetUp() override { TestApp(); }
};

TEST_P(DialogLayout, EveryTextFitsItsControl)
{
    ScopedLocale locale(GetParam().locale);
    std::unique_ptr<CDialog> dlg = GetParam().make();
    std::vector<std::string> clipped;
    RunModal(*dlg, [&](CDialog& d) {
        for (QWidget* child : WidgetOf(&d)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible())
                if (std::string text = Clipped(child); !text.empty())
                    clipped.push_back(text);
    });
    EXPECT_TRUE(clipped.empty()) << ::testing::PrintToString(clipped);
}

std::vector<LayoutCase> Cases()
{
    const std::vector<std::pair<std::string, Factory>> dialogs = {
        {"stream", [] { return std::make_unique<CStreamKindDlg>(nullptr, 0); }},
        {"extract", [] { return std::make_unique<CExtractKindDlg>(nullptr, 0); }},
        {"audio", [] { return std::make_unique<CAudioStreamDlg>(nullptr, 1); }},
        {"lumi", [] { return std::make_unique<CLumiFilterDlg>(nullptr, WM_USER, 0, 0); }},
        {"volume", [] { return std::make_unique<CVolume>(nullptr); }},
        {"save", [] { return std::make_unique<CSaveSetDlg>(nullptr, OutputSettings{}, CString(u"Zarn")); }},
        {"batch", [] { return std::make_unique<CBatEncodeDlg>(nullptr, WM_USER, WM_USER + 1); }},
        {"vob", [] { return std::make_unique<CVobListDlg>(nullptr, CStringArray(), CString()); }},
        {"mp3", [] { return std::make_unique<CMP3SetDlg>(nullptr, CAudioInfo()); }},
        {"wma", [] { return std::make_unique<CWMASetDlg>(nullptr, CAudioInfo()); }},
    };
    std::vector<LayoutCase> cases;
    for (const auto& [name, make] : dialogs) {
        cases.push_back({name + "_en", make, kEnglishLocale});
        cases.push_back({name + "_ja", make, kJapaneseLocale});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogLayout, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

} // namespace
