#include "dialogs/frmoptions.h"

#include "addin/designlayout.h"
#include "addin/frmaddin.h"
#include "codebox/vbcodebox.h"
#include "dialogs/frmmetainput.h"
#include "dialogs/numbertext.h"
#include "engine/colour.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "platform/colourdialog.h"
#include "platform/messageboxes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <stdexcept>

namespace quorbel {

namespace {

constexpr int kClientWidth = 9780;
constexpr int kClientHeight = 5595;
constexpr std::string_view kLoadError = "Error occured in opening frmOptions at point : ";
constexpr const char *kColourTip = "Click on me to edit my color";
constexpr const char *kPrintInHTMLTip = "Click if you only want the comments to appear in the HTML pages.";

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The text of a several-line box with its line breaks as stored (CR LF).
std::string storedText(const QTextEdit &box)
{
    return box.toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

} // namespace

frmOptions::frmOptions(const OptionsServices &services, frmAddin *opener, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_services(services), m_opener(opener)
{
    setObjectName(QStringLiteral("frmOptions"));
    setModal(true);
    setFont(designFont());
    m_metaInput = std::make_unique<frmMetaInput>(services.messages, *this, this);
    setFixedSize(twips(*this, kClientWidth), twips(*this, kClientHeight));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    // The tab control covers the whole client area: the tabs are all there is.
    m_tabs->setGeometry(0, 0, width(), height());
    m_tabs->addTab(buildColoursTab(), QStringLiteral("Syntax Colors"));
    m_tabs->addTab(buildCommentsTab(), QStringLiteral("Comments && Info"));
    m_tabs->addTab(buildLayoutTab(), QStringLiteral("HTML Comment Layout"));
    m_tabs->addTab(buildMetaTab(), QStringLiteral("Meta Tags"));
    // Element 0 of each button array lies off the visible area.
    m_cmdOK[0] = new QPushButton(QStringLiteral("OK"), this);
    m_cmdCancel[0] = new QPushButton(QStringLiteral("&Cancel"), this);
    for (QPushButton *b : {m_cmdOK[0], m_cmdCancel[0]}) {
        b->setGeometry(-200, -200, 60, 20);
        connect(b, &QPushButton::clicked, this,
                b == m_cmdOK[0] ? &frmOptions::cmdOK_Click : &frmOptions::cmdCancel_Click);
    }
}

frmOptions::~frmOptions() = default;

QHBoxLayout *frmOptions::addButtons(QWidget *tab, int index)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    m_cmdOK[index] = new QPushButton(QStringLiteral("OK"), tab);
    m_cmdCancel[index] = new QPushButton(QStringLiteral("&Cancel"), tab);
    m_cmdOK[index]->setObjectName(QStringLiteral("cmdOK%1").arg(index));
    m_cmdCancel[index]->setObjectName(QStringLiteral("cmdCancel%1").arg(index));
    connect(m_cmdOK[index], &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(m_cmdCancel[index], &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    row->addWidget(m_cmdOK[index]);
    row->addWidget(m_cmdCancel[index]);
    static_cast<QVBoxLayout *>(tab->layout())->addLayout(row);
    return row;
}

QWidget *frmOptions::buildColoursTab()
{
    auto *tab = new QWidget;
    auto *column = new QVBoxLayout(tab);
    auto *top = new QHBoxLayout;
    column->addLayout(top);

    auto *colours = new QGroupBox(QStringLiteral("Code Colors"), tab);
    auto *grid = new QGridLayout(colours);
    grid->addWidget(new QLabel(QStringLiteral("Click on the box to edit."), colours), 0, 0, 1, 2);
    const char *captions[5] = {"Text Color", "Comment Color", "Key Words Color", "ID Words Color", "Back Ground Color"};
    for (int i = 0; i < 5; ++i) {
        auto *box = new ColourBox(colours);
        box->setObjectName(QStringLiteral("picSyntaxColor%1").arg(i));
        box->setToolTip(QString::fromLatin1(kColourTip));
        box->setFixedSize(twips(*this, 375), twips(*this, 255));
        box->onClick = [this, i] { picSyntaxColor_Click(i); };
        m_picSyntaxColor[i] = box;
        grid->addWidget(box, i + 1, 0);
        grid->addWidget(new QLabel(QString::fromLatin1(captions[i]), colours), i + 1, 1);
    }
    grid->setRowStretch(6, 1);
    top->addWidget(colours);

    auto *sample = new QGroupBox(QStringLiteral("Sample"), tab);
    sample->setObjectName(QStringLiteral("frameSample"));
    auto *sampleLayout = new QVBoxLayout(sample);
    m_shaPage = new QFrame(sample);
    m_shaPage->setObjectName(QStringLiteral("shaPage"));
    m_shaPage->setAutoFillBackground(true);
    sampleLayout->addWidget(m_shaPage);
    auto *lines = new QVBoxLayout(m_shaPage);
    const auto label = [this](const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), m_shaPage);
        l->setFont(QFont(QStringLiteral("Courier New"), 9));
        return l;
    };
    const auto row = [&lines](std::initializer_list<QLabel *> labels) {
        auto *r = new QHBoxLayout;
        r->setSpacing(0);
        for (QLabel *l : labels)
            r->addWidget(l);
        r->addStretch();
        lines->addLayout(r);
    };
    m_lblKey = {label("Public Sub "), label("End Sub")};
    m_lblID = {label("Count"), label("    Form  Control  Prop")};
    m_lblText = {label("()"), label(" . . . . = \"Hello\"")};
    m_lblComment = label("    'This is what the code will look 'like after it is coloured.");
    m_lblComment->setWordWrap(true);
    row({m_lblKey[0], m_lblID[0], m_lblText[0]});
    row({m_lblID[1], m_lblText[1]});
    lines->addWidget(m_lblComment);
    row({m_lblKey[1]});
    lines->addStretch();
    top->addWidget(sample, 1);

    m_cmdDefault = new QPushButton(QStringLiteral("Restord &Default"), tab);
    m_cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
    connect(m_cmdDefault, &QPushButton::clicked, this, &frmOptions::cmdDefault_Click);
    auto *defaultRow = new QHBoxLayout;
    defaultRow->addWidget(m_cmdDefault);
    defaultRow->addStretch();
    column->addLayout(defaultRow);
    addButtons(tab, 1);
    return tab;
}

QWidget *frmOptions::buildCommentsTab()
{
    auto *tab = new QWidget;
    auto *column = new QVBoxLayout(tab);
    auto *columns = new QHBoxLayout;
    column->addLayout(columns);
    const auto check = [tab, this](const char *caption, const char *name) {
        auto *box = new QCheckBox(QString::fromLatin1(caption), tab);
        box->setObjectName(QString::fromLatin1(name));
        connect(box, &QCheckBox::clicked, this, &frmOptions::applyEnabling);
        return box;
    };
    const auto edit = [tab](const char *name) {
        auto *box = new QLineEdit(tab);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };

    auto *left = new QGridLayout;
    m_chkAuthor = check("&Author", "ChkAuthor");
    m_txtAuthor = edit("txtAuthor");
    m_chkEmail = check("&E-Mail", "ChkEmail");
    m_txtEmail = edit("txtEmail");
    m_chkSite = check("&Web Site", "ChkSite");
    m_txtSite = edit("txtSite");
    m_chkExtra = check("Extra", "ChkExtra");
    m_txtExtraName = edit("txtExtraName");
    m_txtExtra = new QTextEdit(tab);
    m_txtExtra->setObjectName(QStringLiteral("txtExtra"));
    m_txtExtra->setAcceptRichText(false);
    m_txtExtra->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_chkHTMLon = check("HTML tags ON", "ChkHTMLon");
    int r = 0;
    for (auto [box, text] : {std::pair<QCheckBox *, QLineEdit *>{m_chkAuthor, m_txtAuthor},
                             {m_chkEmail, m_txtEmail},
                             {m_chkSite, m_txtSite},
                             {m_chkExtra, m_txtExtraName}}) {
        left->addWidget(box, r, 0);
        left->addWidget(text, r++, 1);
    }
    left->addWidget(m_txtExtra, r++, 0, 1, 2);
    left->addWidget(m_chkHTMLon, r++, 0, 1, 2);
    columns->addLayout(left, 3);

    auto *right = new QVBoxLayout;
    m_chkDate = check("Include &Date", "ChkDate");
    m_chkNow = check("&Current", "ChkNow");
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(m_chkDate);
    dateRow->addWidget(m_chkNow);
    dateRow->addStretch();
    right->addLayout(dateRow);
    m_txtDate = edit("txtDate");
    right->addWidget(m_txtDate);
    m_chkFunctionsSubs = check("List Functions && Subs", "ChkFunctionsSubs");
    right->addWidget(m_chkFunctionsSubs);
    auto *note =
        new QLabel(QStringLiteral("Both of the above are recommended if the no frames option is chosen "), tab);
    note->setObjectName(QStringLiteral("Label1"));
    note->setWordWrap(true);
    right->addWidget(note);
    m_chkHTML[0] = check("Print in HTML page", "ChkHTML0");
    m_chkHTML[0]->setToolTip(QString::fromLatin1(kPrintInHTMLTip));
    right->addWidget(m_chkHTML[0]);
    right->addStretch();
    columns->addLayout(right, 2);
    addButtons(tab, 2);
    return tab;
}

void frmOptions::showEvent(QShowEvent *event)
{
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

int frmOptions::showModal()
{
    Form_Load();
    return exec();
}

std::string frmOptions::read(std::string_view key) const
{
    return readText(m_services.settings, key, keys::defaultFor(key, keys::Reader::Options));
}

std::int32_t frmOptions::readColour(std::string_view key) const
{
    return std::get<std::int32_t>(
        readSetting(m_services.settings, key, keys::defaultFor(key, keys::Reader::Options), true));
}

void frmOptions::setCheck(QCheckBox &box, std::string_view key)
{
    switch (wholeNumberOf(read(key))) {
    case 0:
        box.setCheckState(Qt::Unchecked);
        break;
    case 1:
        box.setCheckState(Qt::Checked);
        break;
    case 2:
        box.setCheckState(Qt::PartiallyChecked);
        break;
    default:
        throw std::invalid_argument("not a check box state");
    }
}

void frmOptions::write(std::string_view key, const std::string &text)
{
    writeSetting(m_services.settings, m_services.messages, key, text, false);
}

void frmOptions::writeState(std::string_view key, const QCheckBox &box)
{
    const std::int32_t state = box.checkState() == Qt::Checked ? 1 : box.checkState() == Qt::Unchecked ? 0 : 2;
    writeSetting(m_services.settings, m_services.messages, key, state, false);
}

void frmOptions::writeColour(std::string_view key, std::int32_t colour)
{
    writeSetting(m_services.settings, m_services.messages, key, colour, true);
}

std::optional<std::int32_t> frmOptions::chooseColour(std::int32_t initial)
{
    try {
        return m_services.colours.show(initial);
    } catch (const std::exception &) {
        return std::nullopt; // a failed dialog changes nothing, as a cancel
    }
}

void frmOptions::Form_Load()
{
    int point = 0;
    try {
        m_tabs->setCurrentIndex(TabNO);
        for (int i = 0; i < 5; ++i)
            m_picSyntaxColor[i]->setColour(readColour(syntaxColourKey(m_services.syntax, i)));
        refreshSample();
        point = 1;
        setCheck(*m_chkHTMLon, keys::CommentsHTMLTagsOn);
        setCheck(*m_chkHTML[0], keys::CommentsPrintCommentsInHTML);
        setCheck(*m_chkHTML[1], keys::CommentsPrintCommentsInHTML);
        setCheck(*m_chkAuthor, keys::CommentsPrintAuthor);
        setCheck(*m_chkEmail, keys::CommentsPrintEmail);
        setCheck(*m_chkExtra, keys::CommentsPrintExtra);
        setCheck(*m_chkSite, keys::CommentsPrintWebSite);
        setCheck(*m_chkDate, keys::CommentsPrintDate);
        setCheck(*m_chkNow, keys::CommentsPrintCurrentDate);
        m_txtDate->setText(qs(read(keys::CommentsDateInfo)));
        setCheck(*m_chkFunctionsSubs, keys::CommentPrintSubsAndFunctions);
        m_txtAuthor->setText(qs(read(keys::CommentsAuthorInfo)));
        m_txtEmail->setText(qs(read(keys::CommentsEmailInfo)));
        m_txtSite->setText(qs(read(keys::CommentsWebSiteInfo)));
        m_txtExtra->setPlainText(
            qs(read(keys::CommentsExtraInfo)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        m_txtExtraName->setText(qs(read(keys::CommentsExtraName)));
        applyEnabling();
        point = 2;
        loadLayoutTab();
        point = 3;
        loadMetaTab();
    } catch (const std::exception &) {
        m_services.messages.show(std::string(kLoadError) + std::to_string(point), Buttons::Ok, Icon::Critical);
    }
}

void frmOptions::refreshSample()
{
    const auto paint = [](QWidget &w, QPalette::ColorRole role, std::int32_t colour) {
        QPalette p = w.palette();
        p.setColor(role, qtColour(colour));
        w.setPalette(p);
    };
    for (QLabel *l : m_lblKey)
        paint(*l, QPalette::WindowText, m_picSyntaxColor[2]->colour());
    for (QLabel *l : m_lblID)
        paint(*l, QPalette::WindowText, m_picSyntaxColor[3]->colour());
    for (QLabel *l : m_lblText)
        paint(*l, QPalette::WindowText, m_picSyntaxColor[0]->colour());
    paint(*m_lblComment, QPalette::WindowText, m_picSyntaxColor[1]->colour());
    paint(*m_shaPage, QPalette::Window, m_picSyntaxColor[4]->colour());
}

void frmOptions::picSyntaxColor_Click(int index)
{
    if (const auto colour = chooseColour(m_picSyntaxColor[index]->colour())) {
        m_picSyntaxColor[index]->setColour(*colour);
        refreshSample();
    }
}

void frmOptions::cmdDefault_Click()
{
    for (int i = 0; i < 5; ++i)
        m_picSyntaxColor[i]->setColour(hexToRGB(m_services.syntax.syntaxDefaults[i]));
    refreshSample();
}

void frmOptions::applyEnabling()
{
    const auto on = [](const QCheckBox *box) { return box->checkState() != Qt::Unchecked; };
    m_txtAuthor->setEnabled(on(m_chkAuthor));
    m_txtEmail->setEnabled(on(m_chkEmail));
    m_txtSite->setEnabled(on(m_chkSite));
    m_txtExtraName->setEnabled(on(m_chkExtra));
    m_txtExtra->setEnabled(on(m_chkExtra));
    m_chkHTMLon->setEnabled(on(m_chkExtra));
    m_chkNow->setEnabled(on(m_chkDate));
    m_txtDate->setEnabled(!on(m_chkNow));
}

bool frmOptions::checkComments()
{
    struct Entry {
        QCheckBox *box;
        QWidget *text;
        bool empty;
        std::string_view title;
        std::string_view question;
    };
    const Entry entries[] = {
        {m_chkAuthor, m_txtAuthor, m_txtAuthor->text().isEmpty(), "No Value for Author",
         "You must place a value for Author if you choose to print it. Do you wish to enter a value ?"},
        {m_chkEmail, m_txtEmail, m_txtEmail->text().isEmpty(), "No E-Mail address",
         "You must place an E-Mail address in E-Mail if you choose to print it. Do you wish to enter an E-Mail "
         "address ?"},
        {m_chkSite, m_txtSite, m_txtSite->text().isEmpty(), "No address in Web Site",
         "You must place an adderss for your Web Site if you choose to print it. Do you wish to enter an address ?"},
        {m_chkExtra, m_txtExtraName, m_txtExtraName->text().isEmpty(), "No Value for Extra's Title",
         "You must place a value for the Extra Title if you choose to print it. Do you wish to enter a title ?"},
        {m_chkExtra, m_txtExtra, m_txtExtra->toPlainText().isEmpty(), "No Value for Extra",
         "You must place a value for the Extra content if you choose to print it. Do you wish to enter a Extra "
         "content ?"},
    };
    for (const Entry &e : entries) {
        if (e.box->checkState() != Qt::Checked || !e.empty)
            continue;
        if (m_services.messages.show(e.question, Buttons::YesNo, Icon::Exclamation, e.title) == Answer::Yes) {
            e.text->setFocus();
            return false;
        }
        e.box->setCheckState(Qt::Unchecked);
        applyEnabling();
    }
    return true;
}

void frmOptions::cmdOK_Click()
{
    m_tabs->setCurrentIndex(0);
    for (int i = 0; i < 5; ++i)
        writeColour(syntaxColourKey(m_services.syntax, i), m_picSyntaxColor[i]->colour());
    if (m_opener) {
        VBCodeBox &box = m_opener->txtsource();
        box.setColor_Comment(m_picSyntaxColor[SyntaxComment]->colour());
        box.setColor_IDWords(m_picSyntaxColor[SyntaxID]->colour());
        box.setColor_KeyWords(m_picSyntaxColor[SyntaxKey]->colour());
        box.setColor_Text(m_picSyntaxColor[SyntaxText]->colour());
        box.setBackColor(m_picSyntaxColor[SyntaxBGround]->colour());
        if (m_opener->chkAutoColor().checkState() == Qt::Checked)
            box.color();
    }
    m_tabs->setCurrentIndex(1);
    if (!checkComments())
        return;
    writeState(keys::CommentsHTMLTagsOn, *m_chkHTMLon);
    writeState(keys::CommentsPrintCommentsInHTML, *m_chkHTML[0]);
    writeState(keys::CommentsPrintAuthor, *m_chkAuthor);
    writeState(keys::CommentsPrintEmail, *m_chkEmail);
    writeState(keys::CommentsPrintWebSite, *m_chkSite);
    writeState(keys::CommentsPrintExtra, *m_chkExtra);
    writeState(keys::CommentsPrintDate, *m_chkDate);
    writeState(keys::CommentsPrintCurrentDate, *m_chkNow);
    write(keys::CommentsDateInfo, m_txtDate->text().toStdString());
    writeState(keys::CommentPrintSubsAndFunctions, *m_chkFunctionsSubs);
    write(keys::CommentsAuthorInfo, m_txtAuthor->text().toStdString());
    write(keys::CommentsEmailInfo, m_txtEmail->text().toStdString());
    write(keys::CommentsWebSiteInfo, m_txtSite->text().toStdString());
    write(keys::CommentsExtraInfo, storedText(*m_txtExtra));
    write(keys::CommentsExtraName, m_txtExtraName->text().toStdString());
    m_tabs->setCurrentIndex(2);
    storeLayoutTab();
    m_tabs->setCurrentIndex(3);
    storeMetaTab();
    accept();
}

void frmOptions::cmdCancel_Click()
{
    if (m_opener)
        m_opener->dontConvert = true;
    reject();
}

} // namespace quorbel
