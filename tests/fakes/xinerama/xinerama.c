/* A stand-in for libXinerama.so.1 that describes the monitors named in PICTOR_MONITORS
 * rather than asking the X server. Wine's X11 driver asks Xinerama for the monitors when the
 * X server has no RANDR, so with this library first on LD_LIBRARY_PATH, and an Xvfb started
 * without RANDR, Wine shows its programs the layout a test asks for.
 *
 * The layout is a comma-separated list of WxH+X+Y (Windows screen coordinates, the primary
 * monitor first, e.g. "1920x1080+0+0,1280x1024-1280+56"). X knows no negative coordinates:
 * the root window starts at the top-left corner of the layout's bounding box, so the
 * monitors are reported shifted by that corner. Wine moves them back so that the primary
 * starts at (0, 0).
 *
 * No X headers: Display stays opaque, and the few types are declared as libXinerama does. */
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>

typedef struct _XDisplay Display;
typedef int Bool;
typedef int Status;

typedef struct {
  int screen_number;
  short x_org;
  short y_org;
  short width;
  short height;
} XineramaScreenInfo;

enum { kMaxMonitors = 16 };

typedef struct {
  int count;
  XineramaScreenInfo screens[kMaxMonitors];
} Layout;

static const char kLayoutVariable[] = "PICTOR_MONITORS";

/* Reads a number that must fit a short, from *text on; a sign is needed when `signed_form`
 * is set (the offsets), refused otherwise (the sizes). */
static int ReadShort(const char** text, int signed_form, short* value) {
  const char first = **text;
  const int has_sign = first == '+' || first == '-';
  if (has_sign != signed_form)
    return 0;
  if (!(has_sign ? (*text)[1] >= '0' && (*text)[1] <= '9' : first >= '0' && first <= '9'))
    return 0;
  char* end = NULL;
  errno = 0;
  const long number = strtol(*text, &end, 10);
  if (errno != 0 || number < SHRT_MIN || number > SHRT_MAX)
    return 0;
  *value = (short)number;
  *text = end;
  return 1;
}

/* Reads one WxH+X+Y; false when the text does not have that form. */
static int ReadMonitor(const char** text, XineramaScreenInfo* screen) {
  if (!ReadShort(text, 0, &screen->width) || **text != 'x')
    return 0;
  ++*text;
  return ReadShort(text, 0, &screen->height) && ReadShort(text, 1, &screen->x_org) &&
         ReadShort(text, 1, &screen->y_org) && screen->width > 0 && screen->height > 0;
}

static int ReadLayout(const char* text, Layout* layout) {
  layout->count = 0;
  for (;;) {
    if (layout->count == kMaxMonitors)
      return 0;
    XineramaScreenInfo* screen = &layout->screens[layout->count];
    if (!ReadMonitor(&text, screen))
      return 0;
    screen->screen_number = layout->count++;
    if (*text == '\0')
      return 1;
    if (*text++ != ',')
      return 0;
  }
}

/* Moves the layout so that its bounding box starts at (0, 0), where X's root window does. */
static void ShiftToRootOrigin(Layout* layout) {
  short left = SHRT_MAX;
  short top = SHRT_MAX;
  for (int i = 0; i < layout->count; ++i) {
    if (layout->screens[i].x_org < left)
      left = layout->screens[i].x_org;
    if (layout->screens[i].y_org < top)
      top = layout->screens[i].y_org;
  }
  for (int i = 0; i < layout->count; ++i) {
    layout->screens[i].x_org = (short)(layout->screens[i].x_org - left);
    layout->screens[i].y_org = (short)(layout->screens[i].y_org - top);
  }
}

/* The layout of PICTOR_MONITORS in X root coordinates; read once, as every caller must see
 * the same monitors. Count 0 when the variable is missing or malformed. */
static const Layout* TheLayout(void) {
  static Layout layout;
  static int read;
  if (!read) {
    read = 1;
    const char* text = getenv(kLayoutVariable);
    if (text && ReadLayout(text, &layout)) {
      ShiftToRootOrigin(&layout);
    } else {
      if (text)
        fprintf(stderr, "xinerama stand-in: %s=\"%s\" is not WxH+X+Y[,WxH+X+Y...]\n",
                kLayoutVariable, text);
      layout.count = 0;
    }
  }
  return &layout;
}

Bool XineramaQueryExtension(Display* display, int* event_base, int* error_base) {
  (void)display;
  *event_base = 0;
  *error_base = 0;
  return TheLayout()->count > 0;
}

Status XineramaQueryVersion(Display* display, int* major, int* minor) {
  (void)display;
  *major = 1;
  *minor = 1;
  return TheLayout()->count > 0;
}

Bool XineramaIsActive(Display* display) {
  (void)display;
  return TheLayout()->count > 0;
}

/* The caller frees the array with XFree, which is free(). */
XineramaScreenInfo* XineramaQueryScreens(Display* display, int* number) {
  (void)display;
  const Layout* layout = TheLayout();
  *number = 0;
  if (layout->count == 0)
    return NULL;
  XineramaScreenInfo* screens = malloc(sizeof(XineramaScreenInfo) * (size_t)layout->count);
  if (!screens)
    return NULL;
  for (int i = 0; i < layout->count; ++i)
    screens[i] = layout->screens[i];
  *number = layout->count;
  return screens;
}
