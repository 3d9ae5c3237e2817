#pragma once

class QMainWindow;

// The window of a typical product: menus, pages of group boxes with labels and buttons, a log and
// a list of a few hundred rows. Both start-up programs show this same tree.
QMainWindow* CreateStartupWindow();
