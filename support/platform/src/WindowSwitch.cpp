#include <Tavrix/Platform/WindowSwitch.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include <xcb/xcb.h>

namespace Tavrix::Platform {
namespace {

struct ConnectionCloser
{
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
ReplyPtr<Reply> Own(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = Own(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The single window that a window property of `window` names, or none.
xcb_window_t WindowProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const auto reply = Own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// A window manager answers for _NET_ACTIVE_WINDOW when its check window is alive (it names
// itself, so a stale property left by a dead manager does not count) and it lists the request.
bool ManagerHandlesActivation(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t active)
{
    const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const xcb_window_t manager = WindowProperty(connection, root, check);
    if (manager == XCB_WINDOW_NONE || WindowProperty(connection, manager, check) != manager)
        return false;
    const auto supported = Own(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0,
                         4096),
        nullptr));
    if (!supported || supported->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == active)
            return true;
    return false;
}

bool Succeeded(xcb_connection_t* connection, xcb_void_cookie_t cookie)
{
    const auto error = Own(xcb_request_check(connection, cookie));
    return !error;
}

} // namespace

WindowSwitchResult SwitchToWindow(std::uint64_t window)
{
    if (window == 0 || window > std::numeric_limits<xcb_window_t>::max())
        return WindowSwitchResult::Failed;
    const Connection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()))
        return WindowSwitchResult::NoDisplay;
    xcb_connection_t* const c = connection.get();
    const auto target = static_cast<xcb_window_t>(window);

    const auto geometry = Own(xcb_get_geometry_reply(c, xcb_get_geometry(c, target), nullptr));
    if (!geometry)
        return WindowSwitchResult::Failed;
    const xcb_window_t root = geometry->root;

    const xcb_atom_t active = Atom(c, "_NET_ACTIVE_WINDOW");
    if (active != XCB_ATOM_NONE && ManagerHandlesActivation(c, root, active)) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = target;
        message.type = active;
        // Source 2 (a pager or task switcher): the user asked for the switch, so the manager's
        // focus-stealing prevention has no reason to refuse it.
        message.data.data32[0] = 2;
        message.data.data32[1] = XCB_CURRENT_TIME;
        const bool sent
            = Succeeded(c, xcb_send_event_checked(c, 0, root,
                                                  XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT
                                                      | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                                                  reinterpret_cast<const char*>(&message)));
        return sent ? WindowSwitchResult::Requested : WindowSwitchResult::Failed;
    }

    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, target, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    // Fails (BadMatch) when the window is not viewable.
    const bool focused = Succeeded(
        c, xcb_set_input_focus_checked(c, XCB_INPUT_FOCUS_PARENT, target, XCB_CURRENT_TIME));
    return focused ? WindowSwitchResult::Focused : WindowSwitchResult::Failed;
}

} // namespace Tavrix::Platform
