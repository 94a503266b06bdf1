#pragma once

#include "dialogs/colourbox.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;

namespace quorbel {

class ColourDialog;
class MessageBoxes;
class SettingsStore;
class frmAddin;
class frmMetaInput;
struct SyntaxTables;

// What the options dialog is given. Everything must outlive the dialog.
struct OptionsServices {
    SettingsStore &settings;
    MessageBoxes &messages;
    ColourDialog &colours;
    const SyntaxTables &syntax;
};

// The options dialog: four tabs ("Syntax Colors", "Comments && Info", "HTML
// Comment Layout", "Meta Tags") over the settings the page writer and the
// converter window read. Nothing is stored before OK. The implementation is
// split by tab: frmoptions.cpp (window, loading, OK), optionslayouttab.cpp,
// optionsmetatab.cpp.
class frmOptions : public QDialog {
public:
    // opener: the converter window whose code box takes the colours on OK
    // and whose conversion Cancel stops; may be null.
    frmOptions(const OptionsServices &services, frmAddin *opener, QWidget *parent = nullptr);
    ~frmOptions() override;

    // The tab shown first; set before showModal (or Form_Load).
    int TabNO = 0;

    // Loads the settings and runs the dialog modally.
    int showModal();
    // Loading: every control from its setting; a failure shows the loading
    // message with the point reached and leaves the rest unloaded.
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdDefault_Click();
    void picSyntaxColor_Click(int index);
    // The enabling rules of the Comments tab, for every check box.
    void applyEnabling();

    // Comment layout tab
    void ChkSpecify_Click();
    void colourClick(ColourBox &clicked);
    void lblHTMLtext_Click(int index);
    void picFontColor_Click();
    void cmdRestore_Click();

    // Meta tags tab, kind 0 (system) or 1 (user)
    void cmdAdd_Click(int kind);
    void cmdEdit_Click(int kind);
    void cmdDelete_Click(int kind);
    // The pop-up menu's preparation for the value list of kind (the menu is
    // then shown at the mouse).
    void prepareMetaMenu(int kind);

    // The controls, for tests.
    QTabWidget &SSTab1() const { return *m_tabs; }
    ColourBox &picSyntaxColor(int i) const { return *m_picSyntaxColor[i]; }
    QLabel &lblKey(int i) const { return *m_lblKey[i]; }
    QLabel &lblID(int i) const { return *m_lblID[i]; }
    QLabel &lblText(int i) const { return *m_lblText[i]; }
    QLabel &lblComment() const { return *m_lblComment; }
    QFrame &shaPage() const { return *m_shaPage; }
    QPushButton &cmdOK(int tab) const { return *m_cmdOK[tab]; }
    QPushButton &cmdCancel(int tab) const { return *m_cmdCancel[tab]; }
    QPushButton &cmdDefault() const { return *m_cmdDefault; }
    QCheckBox &ChkAuthor() const { return *m_chkAuthor; }
    QCheckBox &ChkEmail() const { return *m_chkEmail; }
    QCheckBox &ChkSite() const { return *m_chkSite; }
    QCheckBox &ChkExtra() const { return *m_chkExtra; }
    QCheckBox &ChkHTMLon() const { return *m_chkHTMLon; }
    QCheckBox &ChkDate() const { return *m_chkDate; }
    QCheckBox &ChkNow() const { return *m_chkNow; }
    QCheckBox &ChkFunctionsSubs() const { return *m_chkFunctionsSubs; }
    QCheckBox &ChkHTML(int i) const { return *m_chkHTML[i]; }
    QLineEdit &txtAuthor() const { return *m_txtAuthor; }
    QLineEdit &txtEmail() const { return *m_txtEmail; }
    QLineEdit &txtSite() const { return *m_txtSite; }
    QLineEdit &txtExtraName() const { return *m_txtExtraName; }
    QTextEdit &txtExtra() const { return *m_txtExtra; }
    QLineEdit &txtDate() const { return *m_txtDate; }
    ColourBox &picHTMLpage() const { return *m_picHTMLpage; }
    ColourBox &PicHeader() const { return *m_picHeader; }
    ColourBox &picHTMLComment(int i) const { return *m_picHTMLComment[i]; }
    ColourLabel &lblHTMLtext(int i) const { return *m_lblHTMLtext[i]; }
    ColourBox &picFontColor() const { return *m_picFontColor; }
    QCheckBox &ChkSpecify() const { return *m_chkSpecify; }
    QLineEdit &txtCommentWidth() const { return *m_txtCommentWidth; }
    QRadioButton &optPercent() const { return *m_optPercent; }
    QRadioButton &optPixels() const { return *m_optPixels; }
    QLineEdit &txtNamesWidth() const { return *m_txtNamesWidth; }
    QLineEdit &txtInfoWidth() const { return *m_txtInfoWidth; }
    QComboBox &ComboFontName() const { return *m_comboFontName; }
    QComboBox &ComboFontSize() const { return *m_comboFontSize; }
    QPushButton &cmdRestore() const { return *m_cmdRestore; }
    int lastWidth() const { return m_lastWidth; }
    QListWidget &listName(int kind) const { return *m_listName[kind]; }
    QListWidget &listValue(int kind) const { return *m_listValue[kind]; }
    QPushButton &cmdAdd(int kind) const { return *m_cmdAdd[kind]; }
    QPushButton &cmdEdit(int kind) const { return *m_cmdEdit[kind]; }
    QPushButton &cmdDelete(int kind) const { return *m_cmdDelete[kind]; }
    QMenu &mnuMeta() const { return *m_mnuMeta; }
    QAction &mnuAdd() const { return *m_mnuAdd; }
    QAction &mnuEdit() const { return *m_mnuEdit; }
    QAction &mnuDelete() const { return *m_mnuDelete; }
    frmMetaInput &metaInput() const { return *m_metaInput; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildColoursTab();
    QWidget *buildCommentsTab();
    QWidget *buildLayoutTab();
    QWidget *buildMetaTab();
    // The row of OK (element index) and Cancel at the foot of tab.
    QHBoxLayout *addButtons(QWidget *tab, int index);
    void refreshSample();
    void loadLayoutTab();
    void loadMetaTab();
    void storeLayoutTab();
    void storeMetaTab();
    // Step 4 of OK: false when the user chose to enter a missing value.
    bool checkComments();
    void txtCommentWidth_Change();
    void txtNamesWidth_Change();
    void keepInStep(int kind, bool fromNames);
    void updateMetaButtons(int kind);

    std::string read(std::string_view key) const;
    std::int32_t readColour(std::string_view key) const;
    void setCheck(QCheckBox &box, std::string_view key);
    void write(std::string_view key, const std::string &text);
    void writeState(std::string_view key, const QCheckBox &box);
    void writeColour(std::string_view key, std::int32_t colour);
    std::optional<std::int32_t> chooseColour(std::int32_t initial);

    OptionsServices m_services;
    frmAddin *m_opener;
    std::unique_ptr<frmMetaInput> m_metaInput;
    std::int16_t m_lastWidth = 0;
    std::int16_t m_menuKind = 0;

    QTabWidget *m_tabs = nullptr;
    std::array<QPushButton *, 5> m_cmdOK{};
    std::array<QPushButton *, 5> m_cmdCancel{};
    std::array<ColourBox *, 5> m_picSyntaxColor{};
    std::array<QLabel *, 2> m_lblKey{};
    std::array<QLabel *, 2> m_lblID{};
    std::array<QLabel *, 2> m_lblText{};
    QLabel *m_lblComment = nullptr;
    QFrame *m_shaPage = nullptr;
    QPushButton *m_cmdDefault = nullptr;
    QCheckBox *m_chkAuthor = nullptr;
    QCheckBox *m_chkEmail = nullptr;
    QCheckBox *m_chkSite = nullptr;
    QCheckBox *m_chkExtra = nullptr;
    QCheckBox *m_chkHTMLon = nullptr;
    QCheckBox *m_chkDate = nullptr;
    QCheckBox *m_chkNow = nullptr;
    QCheckBox *m_chkFunctionsSubs = nullptr;
    std::array<QCheckBox *, 2> m_chkHTML{};
    QLineEdit *m_txtAuthor = nullptr;
    QLineEdit *m_txtEmail = nullptr;
    QLineEdit *m_txtSite = nullptr;
    QLineEdit *m_txtExtraName = nullptr;
    QTextEdit *m_txtExtra = nullptr;
    QLineEdit *m_txtDate = nullptr;
    ColourBox *m_picHTMLpage = nullptr;
    ColourBox *m_picHeader = nullptr;
    std::array<ColourBox *, 4> m_picHTMLComment{};
    std::array<ColourLabel *, 5> m_lblHTMLtext{};
    ColourBox *m_picFontColor = nullptr;
    QCheckBox *m_chkSpecify = nullptr;
    QLineEdit *m_txtCommentWidth = nullptr;
    QRadioButton *m_optPercent = nullptr;
    QRadioButton *m_optPixels = nullptr;
    QLineEdit *m_txtNamesWidth = nullptr;
    QLineEdit *m_txtInfoWidth = nullptr;
    QComboBox *m_comboFontName = nullptr;
    QComboBox *m_comboFontSize = nullptr;
    QPushButton *m_cmdRestore = nullptr;
    std::array<QListWidget *, 2> m_listName{};
    std::array<QListWidget *, 2> m_listValue{};
    std::array<QPushButton *, 2> m_cmdAdd{};
    std::array<QPushButton *, 2> m_cmdEdit{};
    std::array<QPushButton *, 2> m_cmdDelete{};
    QMenu *m_mnuMeta = nullptr;
    QAction *m_mnuAdd = nullptr;
    QAction *m_mnuEdit = nullptr;
    QAction *m_mnuDelete = nullptr;
};

} // namespace quorbel
