#pragma once

// What a started program shows on an X display without a window manager, as the X server sees
// it: when its first window maps, when anything is first drawn in it, and each picture that the
// window shows on the way. Shared by the benchmark and the real-window tests.

#include <QImage>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <time.h>
#include <vector>

inline double seconds(clockid_t clock = CLOCK_MONOTONIC)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

class FirstFrameWatch
{
public:
    FirstFrameWatch()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            throw std::runtime_error("no X display");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        std::free(xcb_damage_query_version_reply(
            m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
        const auto* damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
        if (!damage || !damage->present)
            throw std::runtime_error("the X server lacks the DAMAGE extension");
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        // Damage on the root window reports drawing in every window on the screen.
        xcb_damage_create(m_connection, xcb_generate_id(m_connection), m_root,
                          XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(m_connection);
    }
    ~FirstFrameWatch() { xcb_disconnect(m_connection); }
    FirstFrameWatch(const FirstFrameWatch&) = delete;
    FirstFrameWatch& operator=(const FirstFrameWatch&) = delete;

    void drain(double forSeconds)
    {
        const double end = seconds() + forSeconds;
        while (seconds() < end)
            std::free(next(end));
    }

    // Seconds from `start` to the map of the first window mapped after it, and to the first
    // drawing inside that window.
    struct Times
    {
        double mapped;
        double frame;
    };
    std::optional<Times> firstFrame(double start, double timeout)
    {
        const double end = start + timeout;
        std::optional<xcb_rectangle_t> window;
        double mapped = 0;
        while (seconds() < end) {
            xcb_generic_event_t* event = next(end);
            if (!event)
                continue;
            const int type = event->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY && !window) {
                mapped = seconds() - start;
                window = geometry(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            } else if (type == m_damageEvent && window) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                const xcb_rectangle_t& a = damage->area;
                const xcb_rectangle_t& w = *window;
                if (a.x < w.x + w.width && w.x < a.x + a.width && a.y < w.y + w.height &&
                    w.y < a.y + a.height) {
                    std::free(event);
                    return Times{mapped, seconds() - start};
                }
            }
            std::free(event);
        }
        return std::nullopt;
    }

    // A picture that the window showed, and when, in seconds from the start.
    struct Frame
    {
        double at;
        QImage image;
    };
    // Each picture that the first window mapped after `start` shows once the drawing that came
    // in one go is done, as long as it differs from the one before; until nothing has been
    // drawn for `quiet` seconds, or `timeout` seconds have passed. (A picture that the program
    // replaces faster than the X server answers this watch can go unseen.)
    std::vector<Frame> frames(double start, double quiet, double timeout)
    {
        const double end = start + timeout;
        xcb_window_t window = XCB_NONE;
        std::vector<Frame> shown;
        double lastDrawn = start;
        while (seconds() < end && (shown.empty() || seconds() - lastDrawn < quiet)) {
            bool drawn = false;
            for (xcb_generic_event_t* event = next(end); event;
                 event = xcb_poll_for_event(m_connection)) {
                const int type = event->response_type & 0x7f;
                if (type == XCB_MAP_NOTIFY && window == XCB_NONE)
                    window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                drawn = drawn || (type == m_damageEvent && window != XCB_NONE);
                std::free(event);
            }
            if (!drawn)
                continue;
            lastDrawn = seconds();
            QImage image = picture(window);
            if (!image.isNull() && (shown.empty() || shown.back().image != image))
                shown.push_back({lastDrawn - start, std::move(image)});
        }
        return shown;
    }

private:
    xcb_generic_event_t* next(double until)
    {
        if (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            return event;
        pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        const int wait = std::max(0, int((until - seconds()) * 1000));
        poll(&descriptor, 1, std::min(wait, 50));
        return xcb_poll_for_event(m_connection);
    }

    std::optional<xcb_rectangle_t> geometry(xcb_window_t window)
    {
        xcb_get_geometry_reply_t* reply =
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        if (!reply)
            return std::nullopt;
        const xcb_rectangle_t rectangle{reply->x, reply->y, reply->width, reply->height};
        std::free(reply);
        return rectangle;
    }

    // What the window shows now, on a 24-bit screen; a null image when it is gone.
    QImage picture(xcb_window_t window)
    {
        const auto place = geometry(window);
        if (!place)
            return {};
        xcb_get_image_reply_t* reply =
            xcb_get_image_reply(m_connection,
                                xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                              place->width, place->height, ~0u),
                                nullptr);
        if (!reply)
            return {};
        QImage image(xcb_get_image_data(reply), place->width, place->height,
                     xcb_get_image_data_length(reply) / place->height, QImage::Format_RGB32);
        // The fourth byte of each pixel is padding, whatever it holds.
        image = image.convertToFormat(QImage::Format_RGB888);
        std::free(reply);
        return image;
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    int m_damageEvent;
};
