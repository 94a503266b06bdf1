// The code box's stored design: initial values, reading and writing the keys.
#include "codebox/vbcodebox.h"

#include "codebox/controlerror.h"
#include "codebox/richtextbox.h"
#include "controlhost/colourvalue.h"
#include "controlhost/propertybag.h"

namespace quorbel {

namespace {

constexpr int kErrorTypeMismatch = 13;

const QVariant kDefaultBackColor = QVariant(qint32(sysWindowBackground));
const QVariant kDefaultRightMargin = QVariant(99999);

[[noreturn]] void typeMismatch(const QString &key, const char *expected)
{
    throw ControlError(kErrorTypeMismatch,
                       "The stored property \"" + key.toStdString() + "\" does not hold " + expected);
}

// Reads key and converts it, reporting a stored value of another kind.
qint32 readInt(PropertyBag &bag, const QString &key, const QVariant &def)
{
    const QVariant value = bag.read(key, def);
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok) {
        // Colour values above 0x7FFFFFFF (system colour references) may come
        // back unsigned.
        const quint64 unsignedNumber = value.toULongLong(&ok);
        if (!ok || unsignedNumber > 0xFFFFFFFFu)
            typeMismatch(key, "a whole number");
        return qint32(quint32(unsignedNumber));
    }
    if (number < -2147483648LL || number > 0xFFFFFFFFLL)
        typeMismatch(key, "a 32-bit number");
    return qint32(quint32(quint64(number)));
}

bool readBool(PropertyBag &bag, const QString &key, const QVariant &def)
{
    const QVariant value = bag.read(key, def);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (ok)
        return number != 0;
    const QString text = value.toString().trimmed();
    if (text.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    typeMismatch(key, "True or False");
}

float readFloat(PropertyBag &bag, const QString &key, const QVariant &def)
{
    const QVariant value = bag.read(key, def);
    bool ok = false;
    const float number = value.toFloat(&ok);
    if (!ok)
        typeMismatch(key, "a number");
    return number;
}

QString readString(PropertyBag &bag, const QString &key, const QVariant &def)
{
    const QVariant value = bag.read(key, def);
    if (!value.canConvert<QString>())
        typeMismatch(key, "a text");
    return value.toString();
}

// A font is stored as a font object, or as the text QFont::toString gives.
QFont readFont(PropertyBag &bag, const QString &key, const QFont &def)
{
    const QVariant value = bag.read(key, def);
    if (value.typeId() == QMetaType::QFont)
        return value.value<QFont>();
    QFont font;
    if (value.typeId() == QMetaType::QString && font.fromString(value.toString()))
        return font;
    typeMismatch(key, "a font");
}

} // namespace

void VBCodeBox::InitProperties()
{
    m_shared = CodeBoxShared{};
    m_storedHWnd = 0;
    m_textRTF.clear();
    m_selLength = 0;
    m_showMenu = true;
}

void VBCodeBox::ReadProperties(PropertyBag &bag)
{
    const CodeBoxShared initial;
    m_shared.Color_Text = readInt(bag, QStringLiteral("Color_Text"), initial.Color_Text);
    m_shared.Color_Comment = readInt(bag, QStringLiteral("Color_Comment"), initial.Color_Comment);
    m_shared.Color_IDWords = readInt(bag, QStringLiteral("Color_IDWords"), initial.Color_IDWords);
    m_shared.Color_KeyWords = readInt(bag, QStringLiteral("Color_KeyWords"), initial.Color_KeyWords);
    m_shared.Font_Large = readBool(bag, QStringLiteral("Font_Large"), 1);
    m_rtb1->setRightMargin(readFloat(bag, QStringLiteral("RightMargin"), kDefaultRightMargin));
    m_storedHWnd = readInt(bag, QStringLiteral("hWnd"), 0);
    m_rtb1->setBackColor(readInt(bag, QStringLiteral("BackColor"), kDefaultBackColor));
    m_rtb1->setEnabled(readBool(bag, QStringLiteral("Enabled"), true));
    m_rtb1->setOLEDropMode(readInt(bag, QStringLiteral("OLEDropMode"), 2));
    m_rtb1->setWhatsThisHelpID(readInt(bag, QStringLiteral("WhatsThisHelpID"), 0));
    m_rtb1->setToolTip(readString(bag, QStringLiteral("ToolTipText"), QString()));
    m_rtb1->setRightMargin(readFloat(bag, QStringLiteral("RightMargin"), kDefaultRightMargin));
    m_rtb1->setTextQ(readString(bag, QStringLiteral("Text"), QString()));
    m_rtb1->setOLEDragMode(readInt(bag, QStringLiteral("OLEDragMode"), 1));
    m_shared.Color_Auto = readBool(bag, QStringLiteral("Color_Auto"), true);
    m_textRTF = readString(bag, QStringLiteral("TextRTF"), QString());
    m_selLength = readInt(bag, QStringLiteral("SelLength"), 0);
    m_showMenu = readBool(bag, QStringLiteral("ShowMenu"), 1);
    m_rtb1->setFont(readFont(bag, QStringLiteral("Font"), ambientFont()));
    m_shared.Color_Auto = readBool(bag, QStringLiteral("Color_Auto"), true);
}

void VBCodeBox::WriteProperties(PropertyBag &bag)
{
    const CodeBoxShared initial;
    bag.write(QStringLiteral("Color_Text"), m_shared.Color_Text, initial.Color_Text);
    bag.write(QStringLiteral("Color_Comment"), m_shared.Color_Comment, initial.Color_Comment);
    bag.write(QStringLiteral("Color_IDWords"), m_shared.Color_IDWords, initial.Color_IDWords);
    bag.write(QStringLiteral("Color_KeyWords"), m_shared.Color_KeyWords, initial.Color_KeyWords);

    bag.write(QStringLiteral("BackColor"), m_rtb1->BackColor(), kDefaultBackColor);
    bag.write(QStringLiteral("Enabled"), m_rtb1->isEnabled(), true);
    bag.write(QStringLiteral("ToolTipText"), m_rtb1->toolTip(), QString());
    bag.write(QStringLiteral("WhatsThisHelpID"), m_rtb1->WhatsThisHelpID(), 0);
    bag.write(QStringLiteral("TextRTF"), m_rtb1->TextRTF(), QString());
    bag.write(QStringLiteral("SelRTF"), m_rtb1->SelRTF(), QString());
    bag.write(QStringLiteral("SelLength"), m_rtb1->selLength(), 0);
    bag.write(QStringLiteral("SelText"), m_rtb1->SelTextQ(), QString());
    bag.write(QStringLiteral("SelStart"), m_rtb1->selStart(), 0);

    bag.write(QStringLiteral("Font_Large"), m_shared.Font_Large, 1);

    bag.write(QStringLiteral("OLEDragMode"), m_rtb1->OLEDragMode(), 1);
    bag.write(QStringLiteral("OLEDropMode"), m_rtb1->OLEDropMode(), 2);
    bag.write(QStringLiteral("RightMargin"), m_rtb1->RightMargin(), kDefaultRightMargin);

    bag.write(QStringLiteral("hWnd"), m_storedHWnd, 0);

    bag.write(QStringLiteral("BackColor"), m_rtb1->BackColor(), kDefaultBackColor);
    bag.write(QStringLiteral("Enabled"), m_rtb1->isEnabled(), true);
    bag.write(QStringLiteral("OLEDropMode"), m_rtb1->OLEDropMode(), 2);
    bag.write(QStringLiteral("WhatsThisHelpID"), m_rtb1->WhatsThisHelpID(), 0);
    bag.write(QStringLiteral("ToolTipText"), m_rtb1->toolTip(), QString());
    bag.write(QStringLiteral("RightMargin"), m_rtb1->RightMargin(), kDefaultRightMargin);
    bag.write(QStringLiteral("ScrollBars"), m_rtb1->ScrollBars(), 3);
    bag.write(QStringLiteral("Text"), m_rtb1->TextQ(), QString());
    bag.write(QStringLiteral("OLEDragMode"), m_rtb1->OLEDragMode(), 1);

    bag.write(QStringLiteral("Color_Auto"), m_shared.Color_Auto, true);
    bag.write(QStringLiteral("TextRTF"), m_textRTF, QString());
    bag.write(QStringLiteral("SelLength"), m_selLength, 0);
    bag.write(QStringLiteral("ShowMenu"), m_showMenu, 1);
    bag.write(QStringLiteral("Font"), m_rtb1->font(), ambientFont());
    bag.write(QStringLiteral("Color_Auto"), m_shared.Color_Auto, true);
}

} // namespace quorbel
