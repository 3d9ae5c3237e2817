#pragma once

#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/Core/IDataChannel.h>

#include <QtGlobal>

#include <cstddef>
#include <optional>

namespace Tavrix::App::FocusHandOver {

/// The longest answer the slave reads: "yes=" and a 64-bit number fit many times over.
constexpr std::size_t MAX_ANSWER_SIZE = 4096;

/// The slave's half of the hand-over on an open channel to the master: says "applicationClosed",
/// waits for the answer and reads no more of it than the size query counts. The window to switch
/// to when the answer, up to its first NUL, is "yes=<window>" (0 when no number follows); none
/// for "no", any other text, no answer at all, or an answer longer than MAX_ANSWER_SIZE, which is
/// left unread. Throws Core::IOException when the channel fails. Exported so that a fuzz program
/// can feed it whatever a master might write.
APPLICATIONCORE_EXPORT std::optional<qint64> AskForMasterWindow(Core::IDataChannel& channel);

} // namespace Tavrix::App::FocusHandOver
