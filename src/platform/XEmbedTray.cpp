#include "platform/XEmbedTray.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStyleHints>
#include <QToolTip>
#include <cstdlib>
#include <unistd.h>
#include <vector>
#include <xcb/render.h>
#include <xcb/xcb.h>

struct XEmbedTray::Server {
    xcb_connection_t* C = nullptr;
    xcb_window_t Root = 0;
    xcb_visualid_t Visual = 0;
    xcb_render_pictformat_t WindowFormat = 0; // the format of the root visual
    xcb_render_pictformat_t ArgbFormat = 0;   // 32-bit, premultiplied alpha: the pictures
    xcb_atom_t Selection = 0;                 // _NET_SYSTEM_TRAY_S<screen>, owned by the tray
    xcb_atom_t Opcode = 0, Manager = 0, XEmbedInfo = 0, Pid = 0, NetName = 0, Utf8 = 0;
};

namespace {

constexpr int FirstSize = 22;     // until the tray gives the icon its size
constexpr size_t MostFrames = 16; // the animation's pictures and the still ones, with room to spare
constexpr uint32_t RequestDock = 0;
constexpr uint32_t XEmbedMapped = 1;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Every name asked for before any answer is read: one wait on the server at start instead of one a name.
std::vector<xcb_atom_t> Atoms(xcb_connection_t* c, const std::vector<QByteArray>& names) {
    std::vector<xcb_intern_atom_cookie_t> asked;
    for (const QByteArray& name : names)
        asked.push_back(xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.constData()));
    std::vector<xcb_atom_t> atoms;
    for (const xcb_intern_atom_cookie_t cookie : asked) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
        atoms.push_back(reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE});
    }
    return atoms;
}

// The pictures' format (32 bits, alpha in the top byte, as QImage::Format_ARGB32_Premultiplied is laid out
// on a little-endian machine) and the root visual's; false without XRender.
bool FindFormats(XEmbedTray::Server& x) {
    const Reply<xcb_render_query_pict_formats_reply_t> formats(
        xcb_render_query_pict_formats_reply(x.C, xcb_render_query_pict_formats(x.C), nullptr), &std::free);
    if (!formats) return false;
    for (auto it = xcb_render_query_pict_formats_formats_iterator(formats.get()); it.rem;
         xcb_render_pictforminfo_next(&it)) {
        const xcb_render_directformat_t& d = it.data->direct;
        if (it.data->type == XCB_RENDER_PICT_TYPE_DIRECT && it.data->depth == 32 && d.alpha_mask == 0xff &&
            d.alpha_shift == 24 && d.red_shift == 16 && d.green_shift == 8 && d.blue_shift == 0)
            x.ArgbFormat = it.data->id;
    }
    for (auto s = xcb_render_query_pict_formats_screens_iterator(formats.get()); s.rem; xcb_render_pictscreen_next(&s))
        for (auto d = xcb_render_pictscreen_depths_iterator(s.data); d.rem; xcb_render_pictdepth_next(&d))
            for (auto v = xcb_render_pictdepth_visuals_iterator(d.data); v.rem; xcb_render_pictvisual_next(&v))
                if (v.data->visual == x.Visual) x.WindowFormat = v.data->format;
    return x.ArgbFormat != 0 && x.WindowFormat != 0;
}

} // namespace

std::unique_ptr<cSysTray> XEmbedTray::Create(QObject* parent) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return nullptr;
    auto x = std::make_unique<Server>();
    x->C = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(x->C);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return nullptr;
    char* host = nullptr;
    int display = 0, screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen))
        std::free(host);
    else
        screen = 0;
    auto roots = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screen && roots.rem > 1; ++i) xcb_screen_next(&roots);
    x->Root = roots.data->root;
    x->Visual = roots.data->root_visual;
    if (!FindFormats(*x)) return nullptr;
    const std::vector<xcb_atom_t> atoms =
        Atoms(x->C, {"_NET_SYSTEM_TRAY_S" + QByteArray::number(screen), "_NET_SYSTEM_TRAY_OPCODE", "MANAGER",
                     "_XEMBED_INFO", "_NET_WM_PID", "_NET_WM_NAME", "UTF8_STRING"});
    x->Selection = atoms[0];
    x->Opcode = atoms[1];
    x->Manager = atoms[2];
    x->XEmbedInfo = atoms[3];
    x->Pid = atoms[4];
    x->NetName = atoms[5];
    x->Utf8 = atoms[6];
    return std::unique_ptr<cSysTray>(new XEmbedTray(parent, std::move(x)));
}

XEmbedTray::XEmbedTray(QObject* parent, std::unique_ptr<Server> server) : cSysTray(parent), m_x(std::move(server)) {
    m_tipDelay.setSingleShot(true);
    m_tipDelay.setInterval(700);
    connect(&m_tipDelay, &QTimer::timeout, this, [this] {
        if (m_window && !m_tip.isEmpty()) QToolTip::showText(QCursor::pos(), m_tip);
    });
    qGuiApp->installNativeEventFilter(this);
}

XEmbedTray::~XEmbedTray() {
    if (qGuiApp) qGuiApp->removeNativeEventFilter(this);
    DestroyWindow();
}

void XEmbedTray::setIntray(bool inTray) {
    if (inTray && !m_window) {
        CreateWindow();
        Dock();
    } else if (!inTray) {
        DestroyWindow();
    }
}

void XEmbedTray::setTrayicon(const QIcon& icon) {
    if (icon.cacheKey() == m_icon.cacheKey()) return; // the tray timer assigns the picture on every tick
    m_icon = icon;
    Draw();
}

void XEmbedTray::setTraytip(const QString& tip) {
    m_tip = tip;
}

bool XEmbedTray::Available() const {
    return TrayWindow() != XCB_WINDOW_NONE;
}

// The tray's own window, the owner of its selection; none while there is no tray.
uint32_t XEmbedTray::TrayWindow() const {
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(m_x->C, xcb_get_selection_owner(m_x->C, m_x->Selection), nullptr), &std::free);
    return owner ? owner->owner : xcb_window_t{XCB_WINDOW_NONE};
}

void XEmbedTray::CreateWindow() {
    xcb_connection_t* c = m_x->C;
    m_window = xcb_generate_id(c);
    const int first = qRound(FirstSize * qGuiApp->devicePixelRatio());
    m_width = m_height = first;
    // The panel's own background behind the picture, which is drawn over it with its alpha.
    const uint32_t values[] = {XCB_BACK_PIXMAP_PARENT_RELATIVE,
                               XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_BUTTON_PRESS |
                                   XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, m_x->Root, 0, 0, static_cast<uint16_t>(first),
                      static_cast<uint16_t>(first), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_x->Visual,
                      XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values);
    const uint32_t info[] = {0, XEmbedMapped}; // protocol version 0; the tray maps the icon
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, m_x->XEmbedInfo, m_x->XEmbedInfo, 32, 2, info);
    // A tray built on GTK's socket sizes the icon from its smallest size, and without one makes it a pixel.
    uint32_t hints[18] = {};
    hints[0] = 1u << 4; // the smallest size is given
    hints[5] = hints[6] = static_cast<uint32_t>(first);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18,
                        hints);
    const uint32_t pid = static_cast<uint32_t>(::getpid());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, m_x->Pid, XCB_ATOM_CARDINAL, 32, 1, &pid);
    static const char wmClass[] = "pinvale3\0Pinvale 3"; // instance and class, each ended by a zero
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof wmClass,
                        wmClass);
    const QByteArray name = QGuiApplication::applicationDisplayName().toUtf8();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, m_x->NetName, m_x->Utf8, 8,
                        static_cast<uint32_t>(name.size()), name.constData());
    m_windowPicture = xcb_generate_id(c);
    xcb_render_create_picture(c, m_windowPicture, m_window, m_x->WindowFormat, 0, nullptr);
}

void XEmbedTray::DestroyWindow() {
    if (!m_window) return;
    m_tipDelay.stop();
    FreeFrames();
    xcb_render_free_picture(m_x->C, m_windowPicture);
    xcb_destroy_window(m_x->C, m_window); // the tray sees its icon go
    xcb_flush(m_x->C);
    m_window = m_windowPicture = 0;
}

// Asks the tray, if there is one now, to take the icon; a tray that starts later announces itself with a
// MANAGER message on the root window, and the icon docks then.
void XEmbedTray::Dock() {
    const xcb_window_t tray = TrayWindow();
    if (tray == XCB_WINDOW_NONE) return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = tray;
    message.type = m_x->Opcode;
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = RequestDock;
    message.data.data32[2] = m_window;
    xcb_send_event(m_x->C, 0, tray, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(m_x->C);
}

void XEmbedTray::Draw() {
    if (!m_window || m_icon.isNull()) return;
    const Frame& frame = FrameFor(m_icon);
    xcb_clear_area(m_x->C, 0, m_window, 0, 0, 0, 0);
    xcb_render_composite(m_x->C, XCB_RENDER_PICT_OP_OVER, frame.Picture, XCB_NONE, m_windowPicture, 0, 0, 0, 0, 0, 0,
                         static_cast<uint16_t>(m_width), static_cast<uint16_t>(m_height));
    xcb_flush(m_x->C);
}

const XEmbedTray::Frame& XEmbedTray::FrameFor(const QIcon& icon) {
    for (const Frame& frame : m_frames)
        if (frame.Key == icon.cacheKey()) return frame;
    if (m_frames.size() >= MostFrames) FreeFrames();
    QImage image(m_width, m_height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, image.rect());
    painter.end();
    xcb_connection_t* c = m_x->C;
    Frame frame{icon.cacheKey(), xcb_generate_id(c), xcb_generate_id(c)};
    xcb_create_pixmap(c, 32, frame.Pixmap, m_x->Root, static_cast<uint16_t>(m_width), static_cast<uint16_t>(m_height));
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, frame.Pixmap, 0, nullptr);
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, frame.Pixmap, gc, static_cast<uint16_t>(m_width),
                  static_cast<uint16_t>(m_height), 0, 0, 0, 32, static_cast<uint32_t>(image.sizeInBytes()),
                  image.constBits());
    xcb_free_gc(c, gc);
    xcb_render_create_picture(c, frame.Picture, frame.Pixmap, m_x->ArgbFormat, 0, nullptr);
    m_frames.push_back(frame);
    return m_frames.back();
}

void XEmbedTray::FreeFrames() {
    for (const Frame& frame : m_frames) {
        xcb_render_free_picture(m_x->C, frame.Picture);
        xcb_free_pixmap(m_x->C, frame.Pixmap);
    }
    m_frames.clear();
}

bool XEmbedTray::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) {
    Q_UNUSED(result);
    if (!m_window || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    return WindowEvent(event->response_type & 0x7f, event);
}

// True for the icon window's own events, which Qt has no window for.
bool XEmbedTray::WindowEvent(uint8_t type, const void* event) {
    switch (type) {
    case XCB_EXPOSE: {
        const auto* e = static_cast<const xcb_expose_event_t*>(event);
        if (e->window != m_window) return false;
        if (e->count == 0) Draw();
        return true;
    }
    case XCB_CONFIGURE_NOTIFY: {
        const auto* e = static_cast<const xcb_configure_notify_event_t*>(event);
        if (e->window != m_window) return false;
        if (e->width != m_width || e->height != m_height) {
            FreeFrames(); // drawn again at the size the tray gives
            m_width = std::max<int>(1, e->width);
            m_height = std::max<int>(1, e->height);
            Draw();
        }
        return true;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto* e = static_cast<const xcb_reparent_notify_event_t*>(event);
        if (e->window != m_window) return false;
        // The tray has gone and the server handed the icon back to the desktop: it waits, unseen, for
        // the next tray.
        if (e->parent == m_x->Root) xcb_unmap_window(m_x->C, m_window);
        return true;
    }
    case XCB_BUTTON_PRESS: {
        const auto* e = static_cast<const xcb_button_press_event_t*>(event);
        if (e->event != m_window) return false;
        Press(e->detail, e->time);
        return true;
    }
    case XCB_ENTER_NOTIFY:
    case XCB_LEAVE_NOTIFY: {
        const auto* e = static_cast<const xcb_enter_notify_event_t*>(event);
        if (e->event != m_window) return false;
        if (type == XCB_ENTER_NOTIFY)
            m_tipDelay.start();
        else {
            m_tipDelay.stop();
            QToolTip::hideText();
        }
        return true;
    }
    case XCB_CLIENT_MESSAGE: {
        const auto* e = static_cast<const xcb_client_message_event_t*>(event);
        if (e->type == m_x->Manager && e->data.data32[1] == m_x->Selection) Dock(); // a new tray
        return false;                                                               // Qt's own trays listen for it too
    }
    default:
        return false;
    }
}

void XEmbedTray::Press(uint8_t button, uint32_t time) {
    m_tipDelay.stop();
    QToolTip::hideText();
    if (button == XCB_BUTTON_INDEX_1) {
        const auto interval = static_cast<uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        if (m_leftPressed && time - m_lastLeftPress <= interval) {
            m_leftPressed = false;
            emit MouseDblClick();
            return;
        }
        m_leftPressed = true;
        m_lastLeftPress = time;
        emit MouseDown(1);
    } else if (button == XCB_BUTTON_INDEX_3) {
        m_leftPressed = false;
        emit MouseDown(2);
    }
}
