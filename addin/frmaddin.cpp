#include "addin/frmaddin.h"

#include "addin/commondialog.h"
#include "addin/designlayout.h"
#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "engine/engineservices.h"
#include "engine/fileio.h"
#include "engine/linebreaks.h"
#include "engine/pagewriter.h"
#include "engine/processstate.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "platform/messageboxes.h"
#include "platform/shell.h"
#include "platform/vbe.h"
#include "probar/zentrim.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <stdexcept>
#include <sys/stat.h>

namespace quorbel {

namespace {

constexpr int kClientWidth = 8520;
constexpr int kClientHeight = 6000;

constexpr std::string_view kLoadError = "An Error occured while loading the form frmAddin at error point : ";
constexpr std::string_view kActivateError = "An Error occured while activating the form frmAddin at error point : ";
constexpr std::string_view kConvertError = "An Error occured while converting and saving at error point : ";
constexpr std::string_view kNoActiveCode = "No active code window";
constexpr std::string_view kNoCodeAvailable = "No Code Available\r\nOpen the code window which you wish to convert";
constexpr std::string_view kNoCodeToConvert = "No code to convert";
constexpr std::string_view kOverwrite = "Already exsists. Overwrite ?";
constexpr std::string_view kNotCreated = "Error in creating HTML file";
constexpr std::string_view kNoFile = "File Dosen't exist";
constexpr std::string_view kRecommendSubs = "It is recommended to print a hyperlink to the subs and functions on the "
                                            "page. Do you wish to do this ?";
constexpr std::string_view kStillWorking = "still working on this one";
constexpr std::string_view kIsTheSource = "is the source file of this code and is not replaced.";
constexpr std::string_view kSourceFilter =
    "VB Moduel (*.bas*)|*.bas*|VB Class (*.cls*)|*.cls|VB Form (*.frm*)|*.frm|All Files (*.*)|*.";

// Whether two paths name one existing file (through any link).
bool sameFile(const std::string &a, const std::string &b)
{
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// The blanks around a text taken away (blanks only, not tabs).
std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// 1-based position of the first (last) c in text; 0 when there is none.
int firstPosition(std::string_view text, char c)
{
    const auto at = text.find(c);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}
int lastPosition(std::string_view text, char c)
{
    const auto at = text.rfind(c);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string checkValue(const QCheckBox &box)
{
    switch (box.checkState()) {
    case Qt::Unchecked:
        return "0";
    case Qt::PartiallyChecked:
        return "2";
    case Qt::Checked:
        break;
    }
    return "1";
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The status label of the page writer: lblInfo.
class frmAddin::StatusLabel : public Label {
public:
    explicit StatusLabel(QLabel &label) : m_label(label) {}
    void setCaption(std::string caption) override { m_label.setText(qs(caption)); }
    std::string caption() const override { return m_label.text().toStdString(); }

private:
    QLabel &m_label;
};

frmAddin::frmAddin(const ConverterServices &services, ConverterDialogs dialogs, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_dialogs(std::move(dialogs)),
      m_commd(std::make_unique<CommonDialog>(services.fileDialogs))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAddin"));
    setWindowTitle(QStringLiteral("Quorbel"));
    setFont(designFont());
    loadSyntaxDefaults(m_services.process.syntax);
    buildControls();
    buildMenus();
    m_status = std::make_unique<StatusLabel>(*m_lblInfo);
    Form_Load();
}

frmAddin::~frmAddin() = default;

void frmAddin::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips(*this, kClientWidth), twips(*this, kClientHeight));
    setCentralWidget(client);
    m_lblProject = new QLabel(QStringLiteral("Project :"), client);
    place(*m_lblProject, "lblProject", 120, 120, 1215, 255);
    m_txtPro = new QLineEdit(client);
    place(*m_txtPro, "txtPro", 720, 120, 1815, 285);
    m_label2 = new QLabel(QStringLiteral("Code :"), client);
    place(*m_label2, "Label2", 2880, 120, 615, 255);
    m_txtName = new QLineEdit(client);
    place(*m_txtName, "txtName", 3600, 120, 2055, 285);
    m_label1 = new QLabel(QStringLiteral("Extention"), client);
    place(*m_label1, "Label1", 5880, 120, 735, 255);
    m_txtExt = new QLineEdit(QStringLiteral("html"), client);
    place(*m_txtExt, "txtExt", 6600, 120, 495, 285);

    CodeBoxServices boxServices{m_services.process.codeBox, m_services.clipboard, m_services.clock, nullptr};
    boxServices.messages = &m_services.messages;
    boxServices.printers = &m_services.printers;
    boxServices.aboutBox = [this] {
        if (m_dialogs.showAbout)
            m_dialogs.showAbout(*this);
    };
    m_txtsource = new VBCodeBox(boxServices, client);
    place(*m_txtsource, "txtsource", 120, 480, 8295, 4575);
    m_txtsource->setControlFont(QFont(QStringLiteral("Courier New")));

    QString error;
    m_proBar1 = zentrim::createControl(QStringLiteral("Zentrim.ProBar"), client, &error);
    if (m_proBar1 != nullptr) {
        place(*m_proBar1, "ProBar1", 120, 2520, 8295, 495);
        m_proBar1->hide();
    }

    m_lblInfo = new QLabel(client);
    place(*m_lblInfo, "lblInfo", 120, 5160, 3015, 255);
    QFont bold = designFont();
    bold.setBold(true);
    m_lblInfo->setFont(bold);
    m_chkShowOptions = new QCheckBox(QStringLiteral("Show Options on convert"), client);
    place(*m_chkShowOptions, "chkShowOptions", 3360, 5160, 2175, 255);
    m_chkAutoColor = new QCheckBox(QStringLiteral("Auto Color Code"), client);
    place(*m_chkAutoColor, "chkAutoColor", 3360, 5400, 1455, 255);
    m_chkFrames = new QCheckBox(QStringLiteral("Frames (Recomended)"), client);
    place(*m_chkFrames, "ChkFrames", 3360, 5640, 1935, 255);
    // A check box's caption may need more room in the system's font than
    // the design gives it: it takes what it needs of the free room up to
    // the Convert button.
    for (QCheckBox *box : {m_chkShowOptions, m_chkAutoColor, m_chkFrames}) {
        const int room = twips(*this, 6000) - box->x() - 2;
        box->resize(std::max(box->width(), std::min(box->sizeHint().width(), room)), box->height());
    }
    m_cmdGetText = new QPushButton(QStringLiteral("&Get Active Code"), client);
    place(*m_cmdGetText, "cmdGetText", 240, 5400, 1695, 495);
    m_cmdGetText->setToolTip(QStringLiteral("Inserts the code of the active code window into the text area."));
    m_cmdConvert = new QPushButton(QStringLiteral("Convert"), client);
    place(*m_cmdConvert, "cmdConvert", 6000, 5400, 1095, 495);
    m_cmdCancel = new QPushButton(QStringLiteral("&Cancel"), client);
    place(*m_cmdCancel, "cmdCancel", 7200, 5400, 1095, 495);
    m_cndAddComment = new QPushButton(QStringLiteral("&Add Comment"), client);
    place(*m_cndAddComment, "cndAddComment", 2040, 5760, 1335, 495);
    m_cndAddComment->hide();

    QWidget *const focusOrder[] = {m_chkFrames, m_cmdConvert, m_cmdCancel,    m_cmdGetText,     m_txtPro,
                                   m_txtName,   m_txtExt,     m_chkAutoColor, m_chkShowOptions, m_txtsource};
    for (std::size_t i = 1; i < std::size(focusOrder); ++i)
        QWidget::setTabOrder(focusOrder[i - 1], focusOrder[i]);

    connect(m_cmdGetText, &QPushButton::clicked, this, [this] { cmdGetText_Click(); });
    connect(m_cmdConvert, &QPushButton::clicked, this, [this] { cmdConvert_Click(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(m_cndAddComment, &QPushButton::clicked, this, [this] { cndAddComment_Click(); });
    connect(m_chkAutoColor, &QCheckBox::clicked, this, [this] { chkAutoColor_Click(); });
    connect(m_chkFrames, &QCheckBox::clicked, this, [this] { ChkFrames_Click(); });
    connect(m_txtPro, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_services.process.page.ProjectName = text.toStdString(); });
    connect(m_txtName, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_services.process.page.CodeName = text.toStdString(); });
    connect(m_txtExt, &QLineEdit::textChanged, this, [this](const QString &text) {
        try {
            save(keys::Ext, text.toStdString());
        } catch (const std::exception &error) {
            m_services.messages.show(error.what());
        }
    });
}

void frmAddin::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *open = file->addAction(QStringLiteral("&Open"), this, [this] { mnuOpen_Click(); });
    open->setObjectName(QStringLiteral("mnuOpen"));
    file->addSeparator();
    QAction *exit = file->addAction(QStringLiteral("&Exit"), this, [this] { close(); });
    exit->setObjectName(QStringLiteral("mnuExit"));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    const auto options = [this, edit](const char *caption, const char *name, int tab) {
        QAction *action = edit->addAction(QString::fromLatin1(caption), this, [this, tab] {
            if (m_dialogs.showOptions)
                m_dialogs.showOptions(*this, tab);
        });
        action->setObjectName(QString::fromLatin1(name));
    };
    options("Code Colours", "mnuColours", 0);
    options("&Comments", "mnuComments", 1);
    options("&Meta Tags", "mnuMeta", 3);
    options("&HTML Comments", "mnuHTML", 2);
    m_mnuFrames = edit->addAction(QStringLiteral("&Frames"), this, [this] { mnuFrames_Click(); });
    m_mnuFrames->setObjectName(QStringLiteral("mnuFrames"));
    m_mnuFrames->setCheckable(true);
    m_mnuFrames->setChecked(true);

    QAction *bug = menuBar()->addAction(QStringLiteral("Report &Bug"), this, [this] {
        if (m_dialogs.showBug)
            m_dialogs.showBug(*this);
    });
    bug->setObjectName(QStringLiteral("mnuBug"));
    QAction *about = menuBar()->addAction(QStringLiteral("&About"), this, [this] {
        if (m_dialogs.showAbout)
            m_dialogs.showAbout(*this);
    });
    about->setObjectName(QStringLiteral("mnuAbout"));
}

std::string frmAddin::setting(std::string_view key, std::string_view def) const
{
    return readText(m_services.settings, key, def);
}

void frmAddin::save(std::string_view key, const std::string &value)
{
    writeSetting(m_services.settings, m_services.messages, key, value, false);
}

void frmAddin::setCheck(QCheckBox &box, const std::string &value)
{
    if (value == "0")
        box.setCheckState(Qt::Unchecked);
    else if (value == "1")
        box.setCheckState(Qt::Checked);
    else if (value == "2")
        box.setCheckState(Qt::PartiallyChecked);
    else
        throw std::invalid_argument("Invalid property value");
}

void frmAddin::Form_Load()
{
    int errorPoint = 0;
    try {
        m_firstActivation = true;
        setCheck(*m_chkFrames, setting(keys::Frames, "1"));
        // Taking the stored extension saves it again, as every change of the
        // box does; the same text is no change for the box itself.
        const QString ext = qs(setting(keys::Ext, "html"));
        if (ext == m_txtExt->text())
            save(keys::Ext, ext.toStdString());
        m_txtExt->setText(ext);
        setCheck(*m_chkAutoColor, setting(keys::AutoColor, "1"));
        m_txtsource->setColor_Auto(m_chkAutoColor->checkState() == Qt::Checked);
        setCheck(*m_chkShowOptions, setting(keys::ShowOptions, "1"));
        errorPoint = 1;
        const SyntaxTables &syntax = m_services.process.syntax;
        const auto colour = [&](int element) {
            return std::get<std::int32_t>(readSetting(m_services.settings, syntaxColourKey(syntax, element),
                                                      syntax.syntaxDefaults.at(element), true));
        };
        m_txtsource->setBackColor(colour(SyntaxBGround));
        m_txtsource->setColor_Comment(colour(SyntaxComment));
        m_txtsource->setColor_IDWords(colour(SyntaxID));
        m_txtsource->setColor_KeyWords(colour(SyntaxKey));
        m_txtsource->setColor_Text(colour(SyntaxText));
        errorPoint = 2;
        loadSyntaxDefaults(m_services.process.syntax);
    } catch (const std::exception &) {
        m_services.messages.show(std::string(kLoadError) + std::to_string(errorPoint));
    }
}

void frmAddin::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmAddin::Form_Activate()
{
    if (!m_firstActivation)
        return;
    try {
        if (m_txtsource->Text().isEmpty())
            showCode(GetActiveCode());
    } catch (const std::exception &) {
        m_services.messages.show(std::string(kActivateError) + "0");
    }
    m_firstActivation = false;
}

std::string frmAddin::GetActiveCode()
{
    try {
        vbe::CodePane *pane = VBInstance != nullptr ? VBInstance->ActiveCodePane() : nullptr;
        if (pane == nullptr)
            throw std::runtime_error("no code pane");
        const std::string caption = trimBlanks(pane->window().Caption());
        if (caption.empty())
            throw std::runtime_error("no caption");
        // "Project1 - Module1 (Code)": the project up to and with the first
        // blank, the code name between the first "-" and the last blank.
        m_services.process.page.ProjectName = caption.substr(0, static_cast<std::size_t>(firstPosition(caption, ' ')));
        const int dash = firstPosition(caption, '-');
        const int lastBlank = lastPosition(caption, ' ');
        const int length = lastBlank - dash - 1;
        if (length < 0)
            throw std::runtime_error("Invalid procedure call or argument");
        m_services.process.page.CodeName =
            trimBlanks(std::string_view(caption).substr(static_cast<std::size_t>(dash), length));
        const std::string project = m_services.process.page.ProjectName;
        const std::string code = m_services.process.page.CodeName;
        m_txtPro->setText(qs(project));
        m_txtName->setText(qs(code));
        vbe::CodeModule &module = pane->codeModule();
        std::string text = module.Lines(1, module.CountOfLines());
        if (text.empty())
            m_services.messages.show(kNoCodeAvailable);
        return text;
    } catch (const std::exception &) {
        m_services.messages.show(kNoActiveCode, Buttons::Ok, Icon::Information, kApplicationTitle);
        return {};
    }
}

void frmAddin::showCode(const std::string &text)
{
    m_txtsource->setText(qs(text));
    if (m_chkAutoColor->checkState() == Qt::Checked)
        m_txtsource->color();
}

void frmAddin::cmdGetText_Click()
{
    const std::string text = GetActiveCode();
    if (qs(text) != m_txtsource->Text())
        showCode(text);
}

void frmAddin::cmdConvert_Click()
{
    int errorPoint = 0;
    try {
        if (m_chkShowOptions->checkState() == Qt::Checked && m_dialogs.showOptions) {
            dontConvert = false;
            m_dialogs.showOptions(*this, 1);
            if (dontConvert)
                return;
        }
        if (m_txtsource->Text().isEmpty()) {
            m_services.messages.show(kNoCodeToConvert, Buttons::Ok, Icon::Information);
            m_txtsource->setFocus();
            return;
        }
        m_commd->FileName = m_services.process.page.CodeName + "." + m_txtExt->text().toStdString();
        try {
            m_commd->ShowSave();
        } catch (const std::exception &) {
            return; // cancelled, or the dialog failed: no message
        }
        if (m_commd->FileTitle.empty() || m_commd->FileName.empty())
            return;
        const std::string file = m_commd->FileName;
        errorPoint = 1;
        m_txtSource2.setText(normaliseLineBreaks(m_txtsource->Text().toStdString()));
        errorPoint = 2;
        if (!m_openedFile.empty() && sameFile(file, m_openedFile)) {
            // The page would replace the source the code came from: the
            // code would be lost with it.
            m_services.messages.show(file + "\r\n" + std::string(kIsTheSource), Buttons::Ok, Icon::Critical);
            return;
        }
        if (!FileExists(file) || m_services.messages.show(file + "\r\n" + std::string(kOverwrite), Buttons::YesNo,
                                                          Icon::Exclamation, "File Exists") == Answer::Yes) {
            PageWriter writer(m_services.process.page,
                              EngineServices{m_services.settings, m_services.messages, m_services.clock});
            writer.srcToHTML(m_txtSource2, file, *m_status);
        }
        if (!FileExists(file)) {
            m_services.messages.show(kNotCreated, Buttons::Ok, Icon::Critical);
            return;
        }
        errorPoint = 3;
        if (m_services.messages.show("Do you wish to view " + file + " ?", Buttons::YesNo, Icon::Question,
                                     "View File") == Answer::Yes)
            m_services.shell.openDocument(file);
        m_txtSource2.setText("");
    } catch (const std::exception &) {
        m_services.messages.show(std::string(kConvertError) + std::to_string(errorPoint));
    }
}

void frmAddin::cmdCancel_Click()
{
    m_txtsource->setText(QString());
    close();
}

void frmAddin::cndAddComment_Click()
{
    m_services.messages.show(kStillWorking);
}

void frmAddin::chkAutoColor_Click()
{
    m_txtsource->setColor_Auto(m_chkAutoColor->checkState() == Qt::Checked);
}

void frmAddin::ChkFrames_Click()
{
    if (m_chkFrames->checkState() != Qt::Unchecked)
        return;
    try {
        if (setting(keys::HTMLCommentShowSubs, "1") == "0" && setting(keys::CommentPrintSubsAndFunctions, "1") == "0" &&
            m_services.messages.show(kRecommendSubs, Buttons::YesNo, Icon::Information) == Answer::Yes)
            save(keys::CommentPrintSubsAndFunctions, "1");
    } catch (const std::exception &error) {
        m_services.messages.show(error.what());
    }
}

void frmAddin::mnuOpen_Click()
{
    try {
        m_commd->Filter = std::string(kSourceFilter);
        m_commd->ShowOpen();
        openFile(m_commd->FileName);
    } catch (const std::exception &) {
        // Open ends without a message on any error (a cancel among them).
    }
}

void frmAddin::openFile(const std::string &file)
{
    if (FileExists(file)) {
        showCode(InputFile(file, m_services.messages));
        m_openedFile = file;
    } else
        m_services.messages.show(kNoFile, Buttons::Ok, Icon::Critical);
}

void frmAddin::mnuFrames_Click()
{
    // The action has toggled its check mark already.
    const Qt::CheckState wanted = m_mnuFrames->isChecked() ? Qt::Checked : Qt::Unchecked;
    const bool changed = m_chkFrames->checkState() != wanted;
    m_chkFrames->setCheckState(wanted);
    if (changed)
        ChkFrames_Click();
    try {
        save(keys::Frames, checkValue(*m_chkFrames));
    } catch (const std::exception &error) {
        m_services.messages.show(error.what());
    }
}

void frmAddin::saveCheckBoxes()
{
    save(keys::Frames, checkValue(*m_chkFrames));
    save(keys::AutoColor, checkValue(*m_chkAutoColor));
    save(keys::ShowOptions, checkValue(*m_chkShowOptions));
}

void frmAddin::closeEvent(QCloseEvent *event)
{
    try {
        saveCheckBoxes();
    } catch (const std::exception &error) {
        m_services.messages.show(error.what());
    }
    event->accept();
}

} // namespace quorbel
