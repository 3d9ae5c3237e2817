#include <Tavrix/App/Application/GestureScroller.h>

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace Tavrix::App {

namespace {

// setValue clamps too, but the sum itself must not overflow for positions far apart.
void ScrollBy(QScrollBar* bar, std::int64_t delta)
{
    bar->setValue(static_cast<int>(
        std::clamp<std::int64_t>(bar->value() + delta, bar->minimum(), bar->maximum())));
}

} // namespace

class Gesture::Scroller::Private
{
public:
    QAbstractScrollArea* area = nullptr;
    QAbstractItemView* itemView = nullptr;
    std::int32_t lastX = 0;
    std::int32_t lastY = 0;
    QAbstractItemView::ScrollMode savedHorizontalMode = QAbstractItemView::ScrollPerItem;
    QAbstractItemView::ScrollMode savedVerticalMode = QAbstractItemView::ScrollPerItem;
    // Modes are saved once per pan and given back only when saved, so that a begin without an
    // end, or an end without a begin, never leaves a view in a mode nobody chose.
    bool modesSaved = false;
    // False after an end: the next move has no previous position to move from and only records
    // its own.
    bool panning = false;
};

Gesture::Scroller::Scroller(QAbstractScrollArea* area)
    : Emitter(area), d(std::make_unique<Private>())
{
    d->area = area;
    d->itemView = qobject_cast<QAbstractItemView*>(area);
    if (area)
        area->viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    connect(this, &Emitter::pan, this, &Scroller::scrollByPanning);
    setHorizontalPanEnabled(true);
    setVerticalPanEnabled(true);
    setPanGutterEnabled(true);
    setPanInertiaEnabled(true);
}

Gesture::Scroller::~Scroller() = default;

QAbstractScrollArea* Gesture::Scroller::ScrollArea() const
{
    return d->area;
}

void Gesture::Scroller::scrollByPanning(const Gesture::Pan& gesture)
{
    if (!d->area)
        return;
    QScrollBar* const horizontal = d->area->horizontalScrollBar();
    QScrollBar* const vertical = d->area->verticalScrollBar();

    if (gesture.begin && d->itemView && !d->modesSaved) {
        d->savedHorizontalMode = d->itemView->horizontalScrollMode();
        d->savedVerticalMode = d->itemView->verticalScrollMode();
        d->modesSaved = true;
        d->itemView->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        d->itemView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    }
    if (gesture.end && d->itemView && d->modesSaved) {
        const bool horizontalAtEnd = horizontal->value() == horizontal->maximum();
        const bool verticalAtEnd = vertical->value() == vertical->maximum();
        d->modesSaved = false;
        d->itemView->setHorizontalScrollMode(d->savedHorizontalMode);
        d->itemView->setVerticalScrollMode(d->savedVerticalMode);
        // The ranges change with the mode; a view panned to its end stays there.
        if (horizontalAtEnd && d->savedHorizontalMode == QAbstractItemView::ScrollPerItem)
            horizontal->setValue(horizontal->maximum());
        if (verticalAtEnd && d->savedVerticalMode == QAbstractItemView::ScrollPerItem)
            vertical->setValue(vertical->maximum());
    }
    if (!gesture.begin && !gesture.end && d->panning) {
        // The content follows the finger.
        ScrollBy(horizontal, std::int64_t{d->lastX} - gesture.clientX);
        ScrollBy(vertical, std::int64_t{d->lastY} - gesture.clientY);
    }
    d->panning = !gesture.end;
    d->lastX = gesture.clientX;
    d->lastY = gesture.clientY;
}

} // namespace Tavrix::App
