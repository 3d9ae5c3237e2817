#include "StartupWindow.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString Text(const char* source)
{
    return QCoreApplication::translate("MainWindow", source);
}

QGroupBox* Panel(const char* title, QWidget* parent, int labels, int buttons)
{
    auto* box = new QGroupBox(Text(title), parent);
    auto* layout = new QHBoxLayout(box);
    auto* texts = new QVBoxLayout;
    for (int i = 0; i < labels; ++i)
        texts->addWidget(new QLabel(Text("Launch type (product store): %1").arg(i), box));
    layout->addLayout(texts, 1);
    for (int i = 0; i < buttons; ++i)
        layout->addWidget(new QPushButton(Text("Count a click"), box));
    return box;
}

} // namespace

QMainWindow* CreateStartupWindow()
{
    auto* window = new QMainWindow;
    window->setWindowTitle(Text("Tavrix Demo"));
    for (const char* title : {"&File", "&Language", "&Theme", "&Help"}) {
        QMenu* menu = window->menuBar()->addMenu(Text(title));
        for (int i = 0; i < 4; ++i)
            menu->addAction(Text("&Restart"));
    }
    auto* pages = new QTabWidget(window);
    auto* start = new QWidget(pages);
    auto* layout = new QVBoxLayout(start);
    layout->addWidget(Panel("Start-up", start, 4, 0));
    layout->addWidget(Panel("Look and feel", start, 2, 0));
    layout->addWidget(Panel("Observed setting", start, 1, 1));
    layout->addWidget(Panel("Launch", start, 4, 1));
    auto* log = new QListWidget(start);
    for (int i = 0; i < 10; ++i)
        log->addItem(Text("Application started"));
    layout->addWidget(log, 1);
    pages->addTab(start, Text("Start-up"));
    auto* list = new QListWidget(pages);
    for (int i = 0; i < 300; ++i)
        list->addItem(Text("Crashed session %1").arg(i));
    pages->addTab(list, Text("Launch"));
    window->setCentralWidget(pages);
    window->resize(640, 600);
    return window;
}
