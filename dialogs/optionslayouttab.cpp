// The "HTML Comment Layout" tab of the options dialog: the preview of the
// comment block, its width and its font.
#include "addin/designlayout.h"
#include "dialogs/frmoptions.h"
#include "dialogs/numbertext.h"
#include "engine/colour.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>
#include <stdexcept>

namespace quorbel {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ColourLabel *cellLabel(const char *text, ColourBox *cell)
{
    auto *label = new ColourLabel(QString::fromLatin1(text), cell);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(QFont(QStringLiteral("Arial"), 8));
    auto *layout = new QVBoxLayout(cell);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(label);
    return label;
}

} // namespace

QWidget *frmOptions::buildLayoutTab()
{
    auto *tab = new QWidget;
    auto *column = new QVBoxLayout(tab);
    auto *top = new QHBoxLayout;
    column->addLayout(top);

    // The preview: a title cell over two rows of a name cell and a value cell.
    auto *preview = new QGroupBox(QStringLiteral("Comment Layout"), tab);
    auto *previewLayout = new QVBoxLayout(preview);
    m_picHTMLpage = new ColourBox(preview);
    m_picHTMLpage->setObjectName(QStringLiteral("picHTMLpage"));
    m_picHTMLpage->onClick = [this] { colourClick(*m_picHTMLpage); };
    previewLayout->addWidget(m_picHTMLpage);
    auto *table = new QGridLayout(m_picHTMLpage);
    table->setSpacing(2);
    m_picHeader = new ColourBox(m_picHTMLpage);
    m_picHeader->setObjectName(QStringLiteral("PicHeader"));
    m_picHeader->onClick = [this] { colourClick(*m_picHeader); };
    table->addWidget(m_picHeader, 0, 0, 1, 2);
    const char *texts[4] = {"Info Name", "Info", "Info Name", "Info"};
    for (int i = 0; i < 4; ++i) {
        auto *cell = new ColourBox(m_picHTMLpage);
        cell->setObjectName(QStringLiteral("picHTMLComment%1").arg(i));
        cell->onClick = [this, cell] { colourClick(*cell); };
        m_picHTMLComment[i] = cell;
        table->addWidget(cell, 1 + i / 2, i % 2);
        m_lblHTMLtext[i] = cellLabel(texts[i], cell);
    }
    table->setColumnStretch(0, 3);
    table->setColumnStretch(1, 7);
    m_lblHTMLtext[4] = cellLabel("Header", m_picHeader);
    for (int i = 0; i < 5; ++i) {
        m_lblHTMLtext[i]->setObjectName(QStringLiteral("lblHTMLtext%1").arg(i));
        m_lblHTMLtext[i]->onClick = [this, i] { lblHTMLtext_Click(i); };
    }
    for (ColourBox *box : {m_picHTMLpage, m_picHeader, m_picHTMLComment[0], m_picHTMLComment[1], m_picHTMLComment[2],
                           m_picHTMLComment[3]})
        box->setToolTip(QStringLiteral("Click on me to edit my color"));
    top->addWidget(preview, 1);

    auto *settings = new QVBoxLayout;
    top->addLayout(settings);
    auto *width = new QGroupBox(QStringLiteral("Comment Width"), tab);
    auto *widthLayout = new QGridLayout(width);
    m_chkSpecify = new QCheckBox(QStringLiteral("Specify Width"), width);
    m_chkSpecify->setObjectName(QStringLiteral("ChkSpecify"));
    connect(m_chkSpecify, &QCheckBox::clicked, this, &frmOptions::ChkSpecify_Click);
    m_txtCommentWidth = new QLineEdit(width);
    m_txtCommentWidth->setObjectName(QStringLiteral("txtCommentWidth"));
    connect(m_txtCommentWidth, &QLineEdit::textChanged, this, &frmOptions::txtCommentWidth_Change);
    m_optPercent = new QRadioButton(QStringLiteral("in Percentage"), width);
    m_optPercent->setObjectName(QStringLiteral("optPercent"));
    m_optPixels = new QRadioButton(QStringLiteral("in Pixels"), width);
    m_optPixels->setObjectName(QStringLiteral("optPixels"));
    widthLayout->addWidget(m_chkSpecify, 0, 0);
    widthLayout->addWidget(m_txtCommentWidth, 0, 1);
    widthLayout->addWidget(m_optPercent, 1, 0);
    widthLayout->addWidget(m_optPixels, 1, 1);
    settings->addWidget(width);

    auto *info = new QGroupBox(QStringLiteral("Comment Info Width"), tab);
    auto *infoLayout = new QGridLayout(info);
    infoLayout->addWidget(new QLabel(QStringLiteral("(in Percentages)"), info), 0, 2, 2, 1);
    m_txtNamesWidth = new QLineEdit(info);
    m_txtNamesWidth->setObjectName(QStringLiteral("txtNamesWidth"));
    connect(m_txtNamesWidth, &QLineEdit::textChanged, this, &frmOptions::txtNamesWidth_Change);
    m_txtInfoWidth = new QLineEdit(info);
    m_txtInfoWidth->setObjectName(QStringLiteral("txtInfoWidth"));
    m_txtNamesWidth->setMaximumWidth(twips(*this, 735));
    m_txtInfoWidth->setMaximumWidth(twips(*this, 735));
    infoLayout->addWidget(new QLabel(QStringLiteral("Comment Names"), info), 0, 0);
    infoLayout->addWidget(m_txtNamesWidth, 0, 1);
    infoLayout->addWidget(new QLabel(QStringLiteral("Comment Info"), info), 1, 0);
    infoLayout->addWidget(m_txtInfoWidth, 1, 1);
    settings->addWidget(info);

    auto *font = new QGroupBox(QStringLiteral("Comment Font"), tab);
    auto *fontLayout = new QGridLayout(font);
    m_comboFontName = new QComboBox(font);
    m_comboFontName->setObjectName(QStringLiteral("ComboFontName"));
    m_comboFontName->setEditable(true);
    m_comboFontName->setInsertPolicy(QComboBox::NoInsert);
    m_comboFontSize = new QComboBox(font);
    m_comboFontSize->setObjectName(QStringLiteral("ComboFontSize"));
    m_comboFontSize->setEditable(true);
    m_comboFontSize->setInsertPolicy(QComboBox::NoInsert);
    m_comboFontSize->addItems({QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("12")});
    connect(m_comboFontName, &QComboBox::activated, this, [this](int index) {
        for (ColourLabel *l : m_lblHTMLtext) {
            QFont f = l->font();
            f.setFamily(m_comboFontName->itemText(index));
            l->setFont(f);
        }
    });
    connect(m_comboFontSize, &QComboBox::activated, this, [this](int index) {
        const auto size = numberOf(m_comboFontSize->itemText(index).toStdString());
        for (ColourLabel *l : m_lblHTMLtext) {
            QFont f = l->font();
            f.setPointSizeF(size.value_or(8));
            l->setFont(f);
        }
    });
    m_picFontColor = new ColourBox(font);
    m_picFontColor->setObjectName(QStringLiteral("picFontColor"));
    m_picFontColor->setToolTip(QStringLiteral("Click on me to edit the font's colour"));
    m_picFontColor->setFixedSize(twips(*this, 375), twips(*this, 255));
    m_picFontColor->onClick = [this] { picFontColor_Click(); };
    fontLayout->addWidget(new QLabel(QStringLiteral("Name"), font), 0, 0);
    fontLayout->addWidget(m_comboFontName, 0, 1, 1, 3);
    fontLayout->addWidget(m_comboFontSize, 1, 1);
    fontLayout->addWidget(new QLabel(QStringLiteral("Color"), font), 1, 2);
    fontLayout->addWidget(m_picFontColor, 1, 3);
    settings->addWidget(font);

    m_chkHTML[1] = new QCheckBox(QStringLiteral("Print in HTML Page"), tab);
    m_chkHTML[1]->setObjectName(QStringLiteral("ChkHTML1"));
    m_chkHTML[1]->setToolTip(QStringLiteral("Click if you only want the comments to appear in the HTML pages."));
    m_cmdRestore = new QPushButton(QStringLiteral("Restore &Default"), tab);
    m_cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    connect(m_cmdRestore, &QPushButton::clicked, this, &frmOptions::cmdRestore_Click);
    // The foot of the tab: these two before OK and Cancel.
    QHBoxLayout *bottom = addButtons(tab, 3);
    bottom->insertWidget(0, m_chkHTML[1]);
    bottom->insertWidget(1, m_cmdRestore);
    return tab;
}

void frmOptions::loadLayoutTab()
{
    for (int i = 0; i < 4; ++i) {
        m_lblHTMLtext[i]->setColour(readColour(keys::HTMLCommentTextColor));
        m_picHTMLComment[i]->setColour(readColour(keys::HTMLCommentCommentCellBGColor));
    }
    m_lblHTMLtext[4]->setColour(readColour(keys::HTMLCommentTextColor));
    m_picHTMLpage->setColour(readColour(keys::HTMLCommentCommentBG));
    m_picHeader->setColour(readColour(keys::HTMLCommentHeaderBGColor));
    setCheck(*m_chkSpecify, keys::HTMLCommentSpecifyWidth);
    ChkSpecify_Click();
    // The word True or False, or a number: True and non-zero numbers select
    // percent.
    const std::string percent = read(keys::HTMLCommentPercentage);
    const QString word = qs(percent).trimmed();
    bool inPercent = false;
    if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        inPercent = true;
    else if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) != 0)
        inPercent = wholeNumberOf(percent) != 0;
    (inPercent ? m_optPercent : m_optPixels)->setChecked(true);
    m_txtCommentWidth->setText(qs(read(keys::HTMLCommentSpecifiedWidth)));
    m_txtNamesWidth->setText(qs(read(keys::HTMLCommentNamesWidth)));
    m_txtInfoWidth->setText(qs(read(keys::HTMLCommentInfoWidth)));
    m_comboFontName->setEditText(qs(read(keys::HTMLCommentFontName)));
    m_comboFontSize->setEditText(qs(read(keys::HTMLCommentFontSize)));
    m_picFontColor->setColour(wholeNumberOf(read(keys::HTMLCommentFontColor)));
    // The names of the platform's fonts; the text shown stays as loaded.
    const QString shown = m_comboFontName->currentText();
    const QStringList families = QFontDatabase::families();
    if (families.isEmpty())
        throw std::runtime_error("no fonts");
    m_comboFontName->addItems(families);
    m_comboFontName->setEditText(shown);
    for (ColourLabel *l : m_lblHTMLtext) {
        QFont f = l->font();
        f.setFamily(shown);
        l->setFont(f);
    }
}

void frmOptions::storeLayoutTab()
{
    writeColour(keys::HTMLCommentTextColor, m_lblHTMLtext[0]->colour());
    writeColour(keys::HTMLCommentCommentBG, m_picHTMLpage->colour());
    writeColour(keys::HTMLCommentHeaderBGColor, m_picHeader->colour());
    writeColour(keys::HTMLCommentCommentCellBGColor, m_picHTMLComment[0]->colour());
    writeState(keys::HTMLCommentSpecifyWidth, *m_chkSpecify);
    writeSetting(m_services.settings, m_services.messages, keys::HTMLCommentPercentage, m_optPercent->isChecked(),
                 false);
    write(keys::HTMLCommentSpecifiedWidth, m_txtCommentWidth->text().toStdString());
    write(keys::HTMLCommentNamesWidth, m_txtNamesWidth->text().toStdString());
    write(keys::HTMLCommentInfoWidth, m_txtInfoWidth->text().toStdString());
    write(keys::HTMLCommentFontName, m_comboFontName->currentText().toStdString());
    write(keys::HTMLCommentFontSize, m_comboFontSize->currentText().toStdString());
    writeSetting(m_services.settings, m_services.messages, keys::HTMLCommentFontColor, m_picFontColor->colour(), false);
}

void frmOptions::ChkSpecify_Click()
{
    const bool on = m_chkSpecify->checkState() != Qt::Unchecked;
    m_txtCommentWidth->setEnabled(on);
    m_optPercent->setEnabled(on);
    m_optPixels->setEnabled(on);
}

void frmOptions::txtCommentWidth_Change()
{
    const std::string text = m_txtCommentWidth->text().toStdString();
    if (text.empty())
        return;
    const std::optional<double> number = numberOf(text);
    bool valid = number.has_value();
    if (valid && m_optPercent->isChecked() && (*number < 0 || *number > 100))
        valid = false;
    // A width outside the range the last accepted width holds is refused.
    if (valid && (roundHalfEven(*number) < std::numeric_limits<std::int16_t>::min() ||
                  roundHalfEven(*number) > std::numeric_limits<std::int16_t>::max()))
        valid = false;
    if (!valid) {
        m_txtCommentWidth->setText(QString::number(m_lastWidth));
        m_txtCommentWidth->setFocus();
    } else {
        m_lastWidth = static_cast<std::int16_t>(roundHalfEven(*number));
    }
    m_txtCommentWidth->setCursorPosition(static_cast<int>(m_txtCommentWidth->text().size()));
}

void frmOptions::txtNamesWidth_Change()
{
    const std::optional<double> n = numberOf(m_txtNamesWidth->text().toStdString());
    if (n && *n > 0 && *n < 100)
        m_txtInfoWidth->setText(qs(decimalText(100 - *n)));
}

void frmOptions::colourClick(ColourBox &clicked)
{
    const auto colour = chooseColour(clicked.colour());
    if (!colour)
        return;
    if (&clicked == m_picHTMLpage || &clicked == m_picHeader) {
        clicked.setColour(*colour);
        return;
    }
    for (ColourBox *cell : m_picHTMLComment)
        cell->setColour(*colour);
}

void frmOptions::lblHTMLtext_Click(int index)
{
    colourClick(index == 4 ? *m_picHeader : *m_picHTMLComment[index]);
}

void frmOptions::picFontColor_Click()
{
    const auto colour = chooseColour(m_picFontColor->colour());
    if (!colour)
        return;
    m_picFontColor->setColour(*colour);
    for (ColourLabel *l : m_lblHTMLtext)
        l->setColour(*colour);
}

void frmOptions::cmdRestore_Click()
{
    for (int i = 0; i < 4; ++i) {
        QFont f = m_lblHTMLtext[i]->font();
        f.setFamily(QStringLiteral("Arial"));
        f.setPointSize(8);
        m_lblHTMLtext[i]->setFont(f);
        m_lblHTMLtext[i]->setColour(hexToRGB("000000"));
        m_picHTMLComment[i]->setColour(hexToRGB("86C1F2"));
    }
    m_lblHTMLtext[4]->setColour(hexToRGB("000000"));
    m_picHTMLpage->setColour(hexToRGB("FFFFFF"));
    // The title cell's colour as the page writer uses it when nothing is stored.
    m_picHeader->setColour(hexToRGB(keys::defaultFor(keys::HTMLCommentHeaderBGColor, keys::Reader::Page)));
    m_chkSpecify->setCheckState(Qt::Checked);
    ChkSpecify_Click();
    m_optPercent->setChecked(true);
    m_txtCommentWidth->setText(QStringLiteral("100"));
    m_txtNamesWidth->setText(QStringLiteral("30"));
    m_txtInfoWidth->setText(QStringLiteral("70"));
    m_comboFontName->setEditText(QStringLiteral("Arial"));
    m_comboFontSize->setEditText(QStringLiteral("8"));
    m_picFontColor->setColour(hexToRGB("000000"));
}

} // namespace quorbel
