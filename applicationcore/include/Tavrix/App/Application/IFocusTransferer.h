#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QtPlugin>

namespace Tavrix::App {

/// Something that can hand the keyboard focus back to the program that started this one.
class APPLICATIONCORE_EXPORT IFocusTransferer
{
public:
    virtual ~IFocusTransferer();
    virtual void GiveFocusToParent() = 0;
};

} // namespace Tavrix::App

Q_DECLARE_INTERFACE(Tavrix::App::IFocusTransferer, "IFocusTransferer")
