#include "host/mainwindow.h"

#include "host/addinhost.h"
#include "host/addinmanager.h"
#include "host/codewindow.h"
#include "host/qtvbe.h"
#include "host/sourcefile.h"
#include "host/vbproject.h"
#include "platform/messageboxes.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <cctype>

namespace quorbel::host {

namespace {

bool isProjectFile(const std::filesystem::path &path)
{
    std::string ext = path.extension().string();
    std::ranges::transform(ext, ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".vbp";
}

} // namespace

MainWindow::MainWindow(Services services) : m_messages(services.messages), m_codeArea(new QMdiArea(this))
{
    setWindowTitle(QString::fromUtf8(kHostTitle.data(), static_cast<qsizetype>(kHostTitle.size())));
    m_codeArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_codeArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_codeArea);
    m_vbe = std::make_unique<QtVbe>(*m_codeArea, services.clipboard, m_messages);
    makeMenus();
    m_addIns = std::make_unique<AddInHost>(*m_vbe, m_messages, std::move(services.addInList));
    resize(900, 640);
}

MainWindow::~MainWindow()
{
    disconnectAddIns();
}

void MainWindow::makeMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    QAction *open = file->addAction(tr("&Open..."), this, [this] { openFromDialog(); });
    open->setShortcut(QKeySequence::Open);
    file->addSeparator();
    QAction *exit = file->addAction(tr("E&xit"), this, [this] { close(); });
    exit->setShortcut(QKeySequence::Quit);

    m_addInsMenu = menuBar()->addMenu(tr("Add-&Ins"));
    m_addInsMenu->addAction(tr("Add-In &Manager..."), this, [this] { showAddInManager(); });

    QMenu *window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Cascade"), m_codeArea, &QMdiArea::cascadeSubWindows);
    window->addAction(tr("&Tile"), m_codeArea, &QMdiArea::tileSubWindows);
    window->addAction(tr("Close &All"), m_codeArea, &QMdiArea::closeAllSubWindows);

    m_vbe->addBar("Menu Bar", *menuBar());
    m_vbe->addBar("Add-Ins", *m_addInsMenu);
}

CodeWindow &MainWindow::openCode(std::string_view projectName, std::string_view moduleName, const std::string &code)
{
    auto *window = new CodeWindow(codeWindowCaption(projectName, moduleName), code);
    QMdiSubWindow *sub = m_codeArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(640, 420);
    sub->show();
    m_codeArea->setActiveSubWindow(sub);
    return *window;
}

int MainWindow::openPath(const std::filesystem::path &path)
{
    int opened = 0;
    try {
        if (isProjectFile(path)) {
            openProject(path, opened);
        } else {
            const SourceModule module = readModule(path);
            openCode(kDefaultProjectName, module.name, module.code);
            ++opened;
        }
    } catch (const std::exception &error) {
        m_messages.show(std::string("Cannot open ") + path.string() + ": " + error.what(), Buttons::Ok,
                        Icon::Exclamation, kHostTitle);
    }
    return opened;
}

void MainWindow::openProject(const std::filesystem::path &path, int &opened)
{
    const VbProject project = readProject(path);
    std::string problems;
    for (const auto &file : project.modules) {
        try {
            const SourceModule module = readModule(file);
            openCode(project.name, module.name, module.code);
            ++opened;
        } catch (const std::exception &error) {
            problems += std::string("\r\n") + error.what();
        }
    }
    for (const std::string &missing : project.missing)
        problems += "\r\nnot found: " + missing;
    if (!problems.empty())
        m_messages.show("Some modules of " + path.string() + " could not be opened:" + problems, Buttons::Ok,
                        Icon::Exclamation, kHostTitle);
}

void MainWindow::openFromDialog()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, tr("Open"), QString(),
        tr("Visual Basic files (*.vbp *.bas *.cls *.frm *.ctl *.pag *.dob *.dsr);;All files (*)"));
    for (const QString &file : files)
        openPath(std::filesystem::path(file.toStdString()));
}

void MainWindow::showAddInManager()
{
    AddInManager manager(*m_addIns, this);
    manager.exec();
}

void MainWindow::disconnectAddIns()
{
    if (m_addIns != nullptr)
        m_addIns->disconnectAll();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    disconnectAddIns();
    QMainWindow::closeEvent(event);
}

} // namespace quorbel::host
