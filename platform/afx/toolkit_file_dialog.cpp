#include "platform/afx/toolkit_file_dialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace {

void FitPlaces(QFileDialog& dialog)
{
    auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    if (!places || !splitter || !places->isVisible())
        return;
    const int needed = places->sizeHintForColumn(0) + 2 * places->frameWidth() +
                       places->verticalScrollBar()->sizeHint().width();
    QList<int> sizes = splitter->sizes();
    const int index = splitter->indexOf(places);
    if (index < 0 || index + 1 >= sizes.size() || sizes[index] >= needed)
        return;
    const int taken = std::min(needed - sizes[index], std::max(0, sizes[index + 1] - needed));
    sizes[index] += taken;
    sizes[index + 1] -= taken;
    splitter->setSizes(sizes);
}

// Every column but the name, which takes what is left.
void FitDetails(QTreeView& details)
{
    for (int column = 1; column < details.header()->count(); ++column)
        details.resizeColumnToContents(column);
}

} // namespace

void FitToolkitFileDialog(QFileDialog& dialog)
{
    QTimer::singleShot(0, &dialog, [&dialog] { FitPlaces(dialog); });
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* files = dialog.findChild<QFileSystemModel*>();
    if (details && files)
        QObject::connect(files, &QFileSystemModel::directoryLoaded, details, [details] { FitDetails(*details); });
}
