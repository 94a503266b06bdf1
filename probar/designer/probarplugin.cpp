#include "probar/designer/probarplugin.h"

#include "probar/probar.h"

#include <QIcon>
#include <QMetaProperty>
#include <QVariant>

namespace zentrim {

ProBarDesignerPlugin::ProBarDesignerPlugin(QObject *parent) : QObject(parent)
{
}

QString ProBarDesignerPlugin::name() const
{
    // The class name as a form and the code made from it spell it.
    return QString::fromLatin1(ProBar::staticMetaObject.className());
}

QString ProBarDesignerPlugin::group() const
{
    return QStringLiteral("Zentrim");
}

QString ProBarDesignerPlugin::toolTip() const
{
    return QStringLiteral("Progress bar with a message");
}

QString ProBarDesignerPlugin::whatsThis() const
{
    return QStringLiteral("A bar that fills from the left (from the bottom when Vertical) as Value goes from Min "
                          "to Max, with a message centred over it.");
}

QString ProBarDesignerPlugin::includeFile() const
{
    return QStringLiteral("probar/probar.h");
}

QIcon ProBarDesignerPlugin::icon() const
{
    return {};
}

bool ProBarDesignerPlugin::isContainer() const
{
    return false;
}

QWidget *ProBarDesignerPlugin::createWidget(QWidget *parent)
{
    auto *bar = new ProBar(parent);
    bar->InitProperties();
    return bar;
}

bool ProBarDesignerPlugin::isInitialized() const
{
    return m_initialized;
}

void ProBarDesignerPlugin::initialize(QDesignerFormEditorInterface *)
{
    // Nothing to register with the form editor: no extensions, no task menu.
    m_initialized = true;
}

QString ProBarDesignerPlugin::domXml() const
{
    // A form built from code (uic) makes its bar with the constructor, which
    // leaves every number at zero; only the properties the form names are
    // set. So the entry names every value a newly placed control gets, in
    // the order InitProperties sets them, and a form then builds the bar
    // Designer showed. The values come from such a control itself.
    ProBar placed;
    placed.InitProperties();
    QString properties;
    const QMetaObject &meta = ProBar::staticMetaObject;
    for (const char *key : {"BackColor", "BarColor", "Vertical", "Max", "Min", "Value", "BorderStyle"}) {
        const QMetaProperty property = meta.property(meta.indexOfProperty(key));
        const QVariant value = property.read(&placed);
        QString element;
        if (property.isEnumType())
            element = QStringLiteral("<enum>%1::%2</enum>")
                          .arg(name(), QString::fromLatin1(property.enumerator().valueToKey(value.toInt())));
        else if (property.typeId() == QMetaType::Bool)
            element = QStringLiteral("<bool>%1</bool>").arg(value.toBool() ? "true" : "false");
        else
            element = QStringLiteral("<number>%1</number>").arg(value.toInt());
        properties += QStringLiteral("  <property name=\"%1\">%2</property>\n").arg(QLatin1String(key), element);
    }
    // The size of a newly placed bar: its design size, 4800 x 420 twips at
    // 96 dots per inch.
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"proBar\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>320</width><height>28</height></rect>\n"
                          "  </property>\n"
                          "%2"
                          " </widget>\n"
                          "</ui>\n")
        .arg(name(), properties);
}

} // namespace zentrim
