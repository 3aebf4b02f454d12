#include "channels/frmKanal.h"

#include "channels/KanalControls.h"
#include "channels/KanalRecordingChannel.h"
#include "platform/ControlNames.h"
#include "platform/ControlText.h"
#include "platform/ErrorGuard.h"
#include "platform/ModalDialogRunner.h"
#include "printing/VelmoroPrinting.h"
#include "programs/dlgVelmoroProgram.h"
#include "records/dlgMesswerteErfassen.h"
#include "widgets/NamedControls.h"
#include "widgets/SeriesFrames.h"
#include "wiring/KanalHost.h"
#include "wiring/KanalProgramEditor.h"
#include "wiring/ProgramEditorParent.h"
#include "wiring/ProgramServices.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
using SeriesFrames::label;
using SeriesFrames::textBox;
} // namespace

frmKanal::frmKanal(int channel, KanalHost& host, ProgramServices& services, ChargerPort* link, QWidget* parent)
    : QWidget(parent),
      m_host(host),
      m_services(services),
      m_logic(channel, host, *this, link)
{
    setObjectName(m_logic.windowName());
    buildControls();
}

frmKanal::~frmKanal()
{
    m_logic.stopTimers();
}

void frmKanal::buildControls()
{
    auto* root = new QVBoxLayout(this);

    // Commands of the channel, two by two: in one row they would make the
    // window too wide for four of them side by side on a common screen.
    auto* buttons = new QGridLayout;
    int position = 0;
    for (const char* name : {"cmdProgram", "cmdMesswert", "cmdDruck", "cmdDiagramme"}) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setEnabled(false);
        buttons->addWidget(b, position / 2, position % 2);
        ++position;
    }
    root->addLayout(buttons);
    auto* cmdProgram = control<QPushButton>(QStringLiteral("cmdProgram"));
    cmdProgram->setEnabled(true);
    connect(cmdProgram, &QPushButton::clicked, this, [this] { cmdProgram_Click(); });

    // The running program.
    root->addWidget(SeriesFrames::programFrame(this));

    // Status and live values.
    auto* status = new QGroupBox(this);
    status->setObjectName(QStringLiteral("frameStatus"));
    auto* sg = new QGridLayout(status);
    sg->addWidget(textBox(status, "txtStatus"), 0, 0, 1, 2);
    sg->addWidget(label(status, "lblStrom"), 1, 0);
    sg->addWidget(textBox(status, "txtStrom"), 1, 1);
    sg->addWidget(label(status, "lblSpannung"), 2, 0);
    sg->addWidget(textBox(status, "txtSpannung"), 2, 1);
    sg->addWidget(label(status, "lblKapazitaet"), 3, 0);
    sg->addWidget(textBox(status, "txtKapazitaet"), 3, 1);
    root->addWidget(status);

    // End values, battery condition, self-discharge and remark of the series.
    QGroupBox* values = SeriesFrames::endValueFrame(this, true);
    root->addWidget(values, 1);
    auto* remark = control<QLineEdit>(QStringLiteral("txtBemerkung"));

    // Every change of the remark, typed or set by the program, goes to the
    // logic, which decides whether it is stored with the series.
    connect(remark, &QLineEdit::textChanged, this, ErrorGuard::slot([this] { m_logic.txtBemerkung_Change(); }));
    connect(control<QListWidget>(QStringLiteral("lstEndwertLaden")), &QListWidget::itemDoubleClicked, this,
            ErrorGuard::slot([this] { m_logic.lstEndwertLaden_DblClick(); }));
    connect(control<QListWidget>(QStringLiteral("lstEndwertEntladen")), &QListWidget::itemDoubleClicked, this,
            ErrorGuard::slot([this] { m_logic.lstEndwertEntladen_DblClick(); }));
    if (auto* diagram = control<QPushButton>(QStringLiteral("cmdDiagramme"))) {
        diagram->setEnabled(true);
        connect(diagram, &QPushButton::clicked, this, ErrorGuard::slot([this] { m_logic.cmdDiagramme_Click(); }));
    }

    auto* recording = control<QPushButton>(QStringLiteral("cmdMesswert"));
    recording->setEnabled(true);
    connect(recording, &QPushButton::clicked, this, [this] { cmdMesswert_Click(); });

    auto* print = control<QPushButton>(QStringLiteral("cmdDruck"));
    print->setEnabled(true);
    connect(print, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdDruck_Click(); }));
}

void frmKanal::cmdDruck_Click()
{
    // The poll goes on while the remark and printer dialogs are open and may
    // replace the channel's program record: the printout keeps the one of the click.
    const std::shared_ptr<CommunicationProgram> program = m_logic.commProgram;
    VelmoroPrinting::printReport(static_cast<const QWidget&>(*this), program.get(), nullptr, false,
                                 m_services.programViewerSource());
}

QMdiSubWindow* frmKanal::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

// --- window events ------------------------------------------------------------------

void frmKanal::Form_Load()
{
    m_logic.Form_Load();
}

void frmKanal::Form_Activate()
{
    m_host.setVelmoroActiveForm(this);
}

void frmKanal::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode != 0)
        return;
    m_host.setChannelMenuChecked(channelNumber(), false);
    cancel = 1;
    if (QMdiSubWindow* sub = subWindow())
        sub->hide();
    else
        hide();
}

void frmKanal::Form_Unload()
{
    m_host.setChannelMenuChecked(channelNumber(), false);
}

void frmKanal::closeEvent(QCloseEvent* event)
{
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
    if (cancel != 0)
        event->ignore();
    else
        event->accept();
}

// --- controls by name -----------------------------------------------------------

QWidget* frmKanal::control(const QString& name) const
{
    return namedControls().find(name);
}

// The window's own name stands for its caption; every other name is one of
// the window's list.
void frmKanal::setControlText(const QString& name, const QString& text)
{
    if (name == objectName())
        setWindowTitle(text);
    else
        namedControls().setText(name, text);
}

QString frmKanal::controlText(const QString& name) const
{
    return name == objectName() ? windowTitle() : namedControls().text(name);
}

void frmKanal::setControlVisible(const QString& name, bool visible)
{
    namedControls().setVisible(name, visible);
}

bool frmKanal::isControlVisible(const QString& name) const
{
    return namedControls().isVisible(name);
}

void frmKanal::clearList(const QString& name)
{
    namedControls().clearList(name);
}

void frmKanal::addListItem(const QString& name, const QString& text, qint32 itemData)
{
    namedControls().addListItem(name, text, itemData);
}

QStringList frmKanal::listItems(const QString& name) const
{
    return namedControls().listItems(name);
}

qint32 frmKanal::listItemData(const QString& name, int row) const
{
    return namedControls().listItemData(name, row);
}

int frmKanal::selectedListRow(const QString& name) const
{
    auto* l = control<QListWidget>(name);
    if (!l)
        return -1;
    const auto selected = l->selectedItems();
    return selected.isEmpty() ? -1 : l->row(selected.first());
}

void frmKanal::setCaptionColor(const QString& name, quint32 color)
{
    auto* g = control<QGroupBox>(name);
    if (!g)
        return;
    g->setProperty("captionColor", color);
    // The frame's own colour is whatever the style gives its title.
    if (color == KanalLogic::kCaptionNormal) {
        g->setStyleSheet(QString());
        return;
    }
    const QColor c(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    g->setStyleSheet(QStringLiteral("QGroupBox::title { color: %1; }").arg(c.name()));
}

quint32 frmKanal::captionColor(const QString& name) const
{
    auto* g = control<QGroupBox>(name);
    if (!g)
        return 0;
    const QVariant v = g->property("captionColor");
    return v.isValid() ? v.toUInt() : KanalLogic::kCaptionNormal;
}

// --- the program editor -------------------------------------------------------------

namespace {
// The channel window as the editor's opener, and the open editor as the
// channel's logic sees it.
class EditorOpener : public ProgramEditorParent {
public:
    explicit EditorOpener(frmKanal& window) : m_window(window) {}
    void resetForNewProgram() override { m_window.resetForNewProgram(); }

private:
    frmKanal& m_window;
};

class OpenEditor : public KanalProgramEditor {
public:
    explicit OpenEditor(dlgVelmoroProgram& editor) : m_editor(editor) {}
    void programChangedFromOutside(const std::shared_ptr<CommunicationProgram>& program) override
    {
        m_editor.programChangedFromOutside(program);
    }

private:
    dlgVelmoroProgram& m_editor;
};
} // namespace

void frmKanal::cmdProgram_Click()
{
    ErrorGuard::run([this] {
        dlgVelmoroProgram editor(window());
        EditorOpener opener(*this);
        OpenEditor open(editor);
        editor.setParentWin(&opener);
        editor.setChannels(m_host.programChannels());
        editor.setGeraeteNr(channelId());
        editor.setProgram(m_logic.commProgram);
        m_logic.setProgramEditor(&open);
        m_logic.bProgramDialogOpen = true;
        // The mark goes with the editor, also when showing it fails.
        struct Closed {
            KanalLogic& logic;
            ~Closed()
            {
                logic.bProgramDialogOpen = false;
                logic.setProgramEditor(nullptr);
            }
        } closed{m_logic};
        editor.initDialog();
        execModal(editor);
    });
}

// --- recording --------------------------------------------------------------------------

void frmKanal::cmdMesswert_Click()
{
    ErrorGuard::run([this] {
        KanalRecordingChannel channel(m_logic);
        dlgMesswerteErfassen dialog(window(), m_services);
        auto& d = dialog.logic();
        d.parentWin = &channel;
        d.geraeteKanalNr = channelId();
        // A running recording is the channel's own: opening the dialog never ends it.
        d.bRecordRunning = m_logic.bRecording;
        d.bRecordingInQueue = m_logic.bRecordingInQueue;
        d.lActualAkkuId = m_logic.lAkkuId;
        d.lActualMessreiheId = m_logic.lMessReiheId;
        d.bMeasurementRunning = m_logic.bMeasurementRunning;
        d.bEndwerteAvaiable = m_logic.bEndwerteAvaiable;
        d.bEditMode = false;
        bool bShow = true;
        dialog.initializeDialog(bShow);
        if (bShow)
            execModal(dialog);
    });
}
