#include "platform/afx/toolkit_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <array>
#include <cstring>

namespace {

struct ToolkitText {
    const char* context;
    const char* source;
    const char16_t* japanese;
};

// Texts the toolkit shows that its Japanese catalogue has no entry for: the file dialogs' type
// names, which moved to a class of their own after the catalogue was made.
constexpr std::array kMissingJapanese = {
    ToolkitText{"QAbstractFileIconProvider", "Folder", u"フォルダ"},
    ToolkitText{"QAbstractFileIconProvider", "Drive", u"ドライブ"},
    ToolkitText{"QAbstractFileIconProvider", "File", u"ファイル"},
    ToolkitText{"QAbstractFileIconProvider", "Shortcut", u"ショートカット"},
    ToolkitText{"QAbstractFileIconProvider", "Unknown", u"不明"},
};

class MissingJapaneseTexts : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (!context || !source)
            return {};
        for (const ToolkitText& text : kMissingJapanese)
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0)
                return QString::fromUtf16(text.japanese);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

bool UseToolkitTranslations(bool japanese)
{
    static QTranslator catalogue;
    static MissingJapaneseTexts missing;
    static bool installed = false;
    if (!japanese) {
        if (installed) {
            QCoreApplication::removeTranslator(&missing);
            QCoreApplication::removeTranslator(&catalogue);
        }
        installed = false;
        return true;
    }
    if (installed)
        return true;
    if (!catalogue.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    installed = QCoreApplication::installTranslator(&catalogue);
    if (installed)
        QCoreApplication::installTranslator(&missing);
    return installed;
}
