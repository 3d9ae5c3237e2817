#pragma once

#include <Tavrix/App/Application/Application.h>

#include <QCoreApplication>

// The application object the test program runs in, as the class its main() made it.
template <class A = Tavrix::App::Application>
A* App()
{
    return static_cast<A*>(QCoreApplication::instance());
}
