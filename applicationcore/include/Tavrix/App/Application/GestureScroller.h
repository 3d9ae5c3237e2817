#pragma once

#include <Tavrix/App/Application/GestureConsumer.h>

#include <QObject>

class QAbstractScrollArea;

namespace Tavrix::App {

/// The touch consumer of a scroll area: a QObject child of the area, living as long as it does.
class APPLICATIONCORE_EXPORT Gesture::Scroller : public QObject, public Gesture::Consumer
{
    Q_OBJECT

public:
    explicit Scroller(QAbstractScrollArea* scrollArea);
    ~Scroller() override;

    QAbstractScrollArea* ScrollArea() const;
};

} // namespace Tavrix::App
