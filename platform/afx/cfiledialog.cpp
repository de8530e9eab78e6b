#include "platform/afx/cfiledialog.h"

#include "platform/afx/cwnd.h"
#include "platform/afx/modal_loops.h"
#include "platform/afx/toolkit_file_dialog.h"
#include "platform/afx/window_host.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_bOpen(bOpenFileDialog), m_defExt(lpszDefExt ? lpszDefExt : u""), m_fileName(lpszFileName ? lpszFileName : u""),
      m_flags(dwFlags), m_filter(lpszFilter ? lpszFilter : u""), m_pParent(pParentWnd)
{
}

INT_PTR CFileDialog::DoModal()
{
    if (ModalLoop::Refused())
        return IDCANCEL;
    QWidget* parent = nullptr;
    if (m_pParent)
        if (WindowRecord* record = WindowRecord::From(m_pParent->m_hWnd))
            parent = record->widget;
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAcceptMode(m_bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(!m_bOpen                           ? QFileDialog::AnyFile
                       : (m_flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                                                          : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, m_bOpen || !(m_flags & OFN_OVERWRITEPROMPT));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!m_defExt.IsEmpty())
        dialog.setDefaultSuffix(ToQString(m_defExt));
    const QStringList filters = FileDialogNameFilters(m_filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // The toolkit matches by the patterns in its own form of each filter, but the user reads
        // the descriptions as the program wrote them.
        if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            const QStringList labels = FileDialogFilterLabels(m_filter);
            for (int i = 0; i < types->count() && i < labels.size(); ++i)
                types->setItemText(i, labels[i]);
        }
    }
    // Names matched without regard to case, as on the original platform.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!m_fileName.IsEmpty()) {
        const QFileInfo initial(ToQString(m_fileName));
        if (initial.isDir()) {
            dialog.setDirectory(initial.absoluteFilePath());
        } else {
            if (initial.absoluteDir().exists())
                dialog.setDirectory(initial.absolutePath());
            dialog.selectFile(initial.fileName());
        }
    }
    FitToolkitFileDialog(dialog);
    const ModalLoop running([&dialog] { dialog.reject(); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_pathNames.clear();
    for (const QString& path : dialog.selectedFiles())
        m_pathNames.push_back(FromQString(path));
    m_pathName = m_pathNames.front();
    return IDOK;
}

QStringList FileDialogFilterLabels(const CString& filter)
{
    const QStringList parts = ToQString(filter).split(u'|');
    QStringList labels;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        labels.append(parts[i]);
    }
    return labels;
}

QStringList FileDialogNameFilters(const CString& filter)
{
    const QStringList parts = ToQString(filter).split(u'|');
    QStringList filters;
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        QString name = parts[i];
        name.remove(trailingPatterns);
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ').trimmed();
        filters.append(QStringLiteral("%1 (%2)").arg(name, patterns));
    }
    return filters;
}
