#include "platform/afx/customize_dialog.h"

#include "platform/afx/command_actions.h"
#include "platform/afx/frame_host.h"
#include "platform/afx/tool_bar.h"
#include "platform/win/language.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

bool Japanese() { return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE; }

QString Text(const char* japanese, const char* english)
{
    return Japanese() ? QString::fromUtf8(japanese) : QString::fromUtf8(english);
}

// Every command a tool bar may show: the buttons of the frame's resource tool bars.
std::vector<UINT> AvailableCommands(const CFrameWndEx* frame)
{
    std::vector<UINT> commands;
    for (const CMFCToolBar* bar : frame->GetToolBars())
        for (UINT id : bar->GetOriginalButtons())
            if (id && std::ranges::find(commands, id) == commands.end())
                commands.push_back(id);
    return commands;
}

class CustomizeWindow : public QDialog {
public:
    explicit CustomizeWindow(CFrameWndEx* frame) : QDialog(FrameHost::Of(frame)), m_frame(frame)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(Text("カスタマイズ", "Customize"));
        m_bars = new QListWidget(this);
        m_commands = new QListWidget(this);
        auto* create = new QPushButton(Text("新規作成(&N)...", "&New..."), this);
        m_delete = new QPushButton(Text("削除(&D)", "&Delete"), this);
        auto* reset = new QPushButton(Text("リセット(&R)", "&Reset"), this);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
        auto* barColumn = new QVBoxLayout;
        barColumn->addWidget(new QLabel(Text("ツール バー:", "Toolbars:"), this));
        barColumn->addWidget(m_bars);
        auto* commandColumn = new QVBoxLayout;
        commandColumn->addWidget(new QLabel(Text("ボタン:", "Buttons:"), this));
        commandColumn->addWidget(m_commands);
        auto* actions = new QVBoxLayout;
        actions->addSpacing(20);
        actions->addWidget(create);
        actions->addWidget(m_delete);
        actions->addWidget(reset);
        actions->addStretch();
        auto* columns = new QHBoxLayout;
        columns->addLayout(barColumn, 2);
        columns->addLayout(commandColumn, 3);
        columns->addLayout(actions);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(columns);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
        connect(create, &QPushButton::clicked, this, [this] { CreateToolBar(); });
        connect(m_delete, &QPushButton::clicked, this, [this] { DeleteToolBar(); });
        connect(reset, &QPushButton::clicked, this, [this] { ResetToolBar(); });
        connect(m_bars, &QListWidget::currentRowChanged, this, [this] { FillCommands(); });
        connect(m_bars, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { ShowToolBar(item); });
        connect(m_commands, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { ShowButton(item); });
        FillBars(0);
        resize(480, 320);
    }

private:
    CMFCToolBar* Selected() const
    {
        const int row = m_bars->currentRow();
        const auto& bars = m_frame->GetToolBars();
        return row >= 0 && row < static_cast<int>(bars.size()) ? bars[static_cast<size_t>(row)] : nullptr;
    }

    void FillBars(int select)
    {
        const QSignalBlocker block(m_bars);
        m_bars->clear();
        for (CMFCToolBar* bar : m_frame->GetToolBars()) {
            auto* item = new QListWidgetItem(ToQString(bar->GetWindowText()), m_bars);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(bar->Bar() && !bar->Bar()->isHidden() ? Qt::Checked : Qt::Unchecked);
        }
        m_bars->setCurrentRow(std::min(select, m_bars->count() - 1));
        FillCommands();
    }

    void FillCommands()
    {
        const QSignalBlocker block(m_commands);
        m_commands->clear();
        CMFCToolBar* bar = Selected();
        m_delete->setEnabled(bar && bar->GetOriginalButtons().empty());
        if (!bar)
            return;
        std::vector<UINT> shown;
        for (int i = 0; i < bar->GetCount(); ++i)
            shown.push_back(bar->GetItemID(i));
        for (UINT id : AvailableCommands(m_frame)) {
            CString name = CommandPrompt(id);
            auto* item = new QListWidgetItem(ToQString(name), m_commands);
            item->setData(Qt::UserRole, id);
            if (QToolBar* q = bar->Bar())
                for (QAction* a : q->actions())
                    if (CommandIdOf(a) == id)
                        item->setIcon(a->icon());
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(std::ranges::find(shown, id) != shown.end() ? Qt::Checked : Qt::Unchecked);
        }
    }

    void ShowToolBar(QListWidgetItem* item)
    {
        const int row = m_bars->row(item);
        const auto& bars = m_frame->GetToolBars();
        if (row >= 0 && row < static_cast<int>(bars.size()) && bars[static_cast<size_t>(row)]->Bar())
            bars[static_cast<size_t>(row)]->Bar()->setVisible(item->checkState() == Qt::Checked);
    }

    // A resource tool bar keeps its own order and separators; a user tool bar lists its commands in
    // the order they were switched on.
    void ShowButton(QListWidgetItem* item)
    {
        CMFCToolBar* bar = Selected();
        if (!bar)
            return;
        const UINT id = item->data(Qt::UserRole).toUInt();
        const bool on = item->checkState() == Qt::Checked;
        std::vector<UINT> buttons;
        for (int i = 0; i < bar->GetCount(); ++i)
            buttons.push_back(bar->GetItemID(i));
        if (!bar->GetOriginalButtons().empty()) {
            std::vector<UINT> next;
            for (UINT original : bar->GetOriginalButtons())
                if (original == 0 || (original == id ? on : std::ranges::find(buttons, original) != buttons.end()))
                    next.push_back(original);
            buttons = std::move(next);
        } else if (on) {
            buttons.push_back(id);
        } else {
            std::erase(buttons, id);
        }
        bar->SetButtons(buttons);
    }

    void CreateToolBar()
    {
        const int number = static_cast<int>(m_frame->GetToolBars().size());
        const CString name = FromQString(Text("ユーザー定義 %1", "Custom %1").arg(number));
        if (!m_frame->CreateUserToolbar(name))
            return;
        FillBars(static_cast<int>(m_frame->GetToolBars().size()) - 1);
    }

    void DeleteToolBar()
    {
        CMFCToolBar* bar = Selected();
        if (!bar || !bar->GetOriginalButtons().empty())
            return;
        m_frame->DeleteUserToolbar(bar);
        FillBars(0);
    }

    void ResetToolBar()
    {
        if (CMFCToolBar* bar = Selected()) {
            bar->RestoreOriginalState();
            FillCommands();
        }
    }

    CFrameWndEx* m_frame;
    QListWidget* m_bars;
    QListWidget* m_commands;
    QPushButton* m_delete;
};

} // namespace

CMFCToolBarsCustomizeDialog::CMFCToolBarsCustomizeDialog(CFrameWndEx* pWndParentFrame, BOOL, UINT)
    : m_pFrame(pWndParentFrame)
{
}

CMFCToolBarsCustomizeDialog::~CMFCToolBarsCustomizeDialog() = default;

BOOL CMFCToolBarsCustomizeDialog::Create()
{
    if (!m_pFrame || !FrameHost::Of(m_pFrame))
        return FALSE;
    m_dialog = new CustomizeWindow(m_pFrame);
    m_dialog->show();
    return TRUE;
}
