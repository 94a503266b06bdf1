// The Qt Designer plugin, loaded the way Designer loads one: a QPluginLoader
// on the plugin file, its instance cast to a widget collection or to a single
// custom widget, then the widget box's entry (domXml) and a widget made by
// createWidget.
#include "probar/probar.h"
#include "ui_probarform.h"

#include <QFileInfo>
#include <QImage>
#include <QPluginLoader>
#include <QTest>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

struct WidgetEntry {
    QString className;
    QString objectName;
    int width = 0;
    int height = 0;
    // Every other property: name, and the text of its value element.
    std::map<QString, QString> properties;
};

// The class, object name, geometry and properties of the one widget of a
// domXml text; fails the test when the text is no well-formed form.
WidgetEntry readDomXml(const QString &xml)
{
    WidgetEntry entry;
    QXmlStreamReader reader(xml);
    int widgets = 0;
    QString property;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"widget") {
            ++widgets;
            entry.className = reader.attributes().value("class").toString();
            entry.objectName = reader.attributes().value("name").toString();
        } else if (reader.name() == u"property")
            property = reader.attributes().value("name").toString();
        else if (reader.name() == u"width")
            entry.width = reader.readElementText().toInt();
        else if (reader.name() == u"height")
            entry.height = reader.readElementText().toInt();
        else if (!property.isEmpty() && property != "geometry")
            entry.properties[property] = reader.readElementText();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString() << "\n" << xml.toStdString();
    EXPECT_EQ(widgets, 1);
    return entry;
}

TEST(ProBarDesignerPlugin, LoadsAsDesignerDoesAndPlacesWorkingProBars)
{
    QPluginLoader loader(QStringLiteral(ZENTRIM_DESIGNER_PLUGIN));
    EXPECT_EQ(loader.metaData().value("IID").toString(), "org.qt-project.Qt.QDesignerCustomWidgetInterface");
    QObject *instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();

    std::vector<QDesignerCustomWidgetInterface *> offered;
    if (auto *collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(instance)) {
        const auto widgets = collection->customWidgets();
        offered.assign(widgets.begin(), widgets.end());
    } else if (auto *single = qobject_cast<QDesignerCustomWidgetInterface *>(instance))
        offered.push_back(single);
    ASSERT_EQ(offered.size(), 1u);
    QDesignerCustomWidgetInterface &plugin = *offered.front();

    EXPECT_FALSE(plugin.isInitialized());
    plugin.initialize(nullptr);
    EXPECT_TRUE(plugin.isInitialized());

    // The widget box entry and the code a form makes: the class with its
    // namespace, and the header as installed (include/probar/probar.h),
    // which has the same path in the source tree.
    EXPECT_EQ(plugin.name(), "zentrim::ProBar");
    EXPECT_EQ(plugin.group(), "Zentrim");
    EXPECT_EQ(plugin.includeFile(), "probar/probar.h");
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(QUORBEL_SOURCE_DIR "/") + plugin.includeFile()));
    EXPECT_FALSE(plugin.isContainer());
    EXPECT_FALSE(plugin.toolTip().isEmpty());
    EXPECT_FALSE(plugin.whatsThis().isEmpty());
    const WidgetEntry entry = readDomXml(plugin.domXml());
    EXPECT_EQ(entry.className, plugin.name());
    EXPECT_EQ(entry.objectName, "proBar");
    EXPECT_EQ(entry.width, 320); // 4800 x 420 twips at 96 dots per inch
    EXPECT_EQ(entry.height, 28);

    // A placed bar is libzentrim's own ProBar, with a newly placed control's
    // values, and Designer's property editor reaches it by property name.
    QWidget form;
    QWidget *widget = plugin.createWidget(&form);
    auto *bar = qobject_cast<zentrim::ProBar *>(widget);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(widget->parent(), &form);
    EXPECT_EQ(QString::fromLatin1(widget->metaObject()->className()), plugin.name());
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Value(), 50);
    EXPECT_EQ(bar->BorderStyle(), zentrim::ProBar::bdFixedSingle);
    // The entry names each of those values, so that a form built from code
    // (where the constructor leaves them at zero) gets the bar Designer shows.
    const std::map<QString, QString> placed = {
        {"BackColor", QString::number(bar->BackColor())},
        {"BarColor", QString::number(bar->BarColor())},
        {"Vertical", "false"},
        {"Max", "100"},
        {"Min", "0"},
        {"Value", "50"},
        {"BorderStyle", "zentrim::ProBar::bdFixedSingle"},
    };
    EXPECT_EQ(entry.properties, placed);
    EXPECT_EQ(bar->BackColor(), static_cast<qint32>(0x8000000F)); // button face
    EXPECT_EQ(bar->BarColor(), static_cast<qint32>(0x8000000D));  // selection highlight
    EXPECT_TRUE(widget->setProperty("Max", 10));
    EXPECT_TRUE(widget->setProperty("Value", 5));
    EXPECT_TRUE(widget->setProperty("BackColor", 0xFF0000));            // blue
    EXPECT_TRUE(widget->setProperty("BarColor", 0x0000FF));             // red
    EXPECT_TRUE(widget->setProperty("MessageText", QString("Saving"))); // stays in the form
    EXPECT_EQ(bar->Value(), 5);
    EXPECT_EQ(bar->MessageText(), "Saving");

    // It draws: half of the client area (198 x 58 inside the border) in the
    // bar colour, the other half in the back colour.
    bar->resize(200, 60);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage image = bar->grab().toImage();
    image.save(QStringLiteral(PROBAR_IMAGE_DIR "/probar_designer.png"));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(194, 54), QColor(0, 0, 255));
    delete widget;
    EXPECT_TRUE(form.findChildren<zentrim::ProBar *>().isEmpty());
}

// A form laid out in Designer with the plugin's class and header, a bar
// placed and its Max, Value and message changed (probarform.ui, made into
// code by uic at build time), builds a ProBar and sets the form's
// properties through their setters.
TEST(ProBarDesignerPlugin, FormWithAProBarBuildsIt)
{
    QWidget window;
    Ui::ProBarForm form;
    form.setupUi(&window);
    zentrim::ProBar *bar = form.proBar;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->parent(), &window);
    EXPECT_EQ(bar->Max(), 10);
    EXPECT_EQ(bar->Value(), 3);
    EXPECT_EQ(bar->MessageText(), "Copying");
    EXPECT_EQ(bar->geometry(), QRect(10, 10, 320, 28));
    EXPECT_EQ(bar->BackColor(), static_cast<qint32>(0x8000000F));
    EXPECT_EQ(bar->BarColor(), static_cast<qint32>(0x8000000D));
    EXPECT_EQ(bar->BorderStyle(), zentrim::ProBar::bdFixedSingle);
}

} // namespace
