#pragma once

#include <Tavrix/App/Application/GestureEmitter.h>

class QAbstractScrollArea;

namespace Tavrix::App {

/// Touch scrolling for a scroll area: an emitter, child of the area and living as long as it
/// does, that asks for horizontal and vertical one-finger panning with gutter and inertia and
/// moves the scroll bars by the finger's travel. Item views scroll per pixel while a pan runs and
/// get their own scroll modes back when it ends; a view panned to its end stays at its end.
///
/// The application gives every scroll area one the first time it is shown.
class APPLICATIONCORE_EXPORT Gesture::Scroller : public Gesture::Emitter
{
    Q_OBJECT

public:
    explicit Scroller(QAbstractScrollArea* area);
    ~Scroller() override;

    QAbstractScrollArea* ScrollArea() const;

private Q_SLOTS:
    void scrollByPanning(const Tavrix::App::Gesture::Pan& gesture);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
