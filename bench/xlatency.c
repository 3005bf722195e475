/* Measures, from outside a program, how long a change of the mouse takes to show on the
 * screen: the pointer is moved through XTest and a small area of the screen is read until
 * it changes. Reads commands from standard input, one a line, and prints a result a line:
 *   mark                       notes the time of a start, which the caller makes right after
 *                              the answer "mark"; the caller starts the program itself, so
 *                              that it can wait for it and end it by its pid
 *   first X Y                  waits until the area around (X, Y) changes; prints
 *                              "first MS" since the last mark (-1 after 20 seconds)
 *   warp X Y                   moves the pointer without measuring
 *   move X Y WX WY             moves the pointer to (X, Y); prints "move MS" until the area
 *                              around (WX, WY) changed, and then waits until it is still
 *   press X Y WX WY            the same with the left button pressed there ("press MS")
 *   release X Y WX WY          the same with it released ("release MS")
 *   click X Y WX WY            the same with a click ("click MS")
 *   still                      waits until the whole screen has not changed for a quarter
 *                              of a second; prints "still 1", or "still 0" when it does not
 *                              settle within 20 seconds
 * An area that does not change within two seconds prints -1. Built by scripts/bench. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { kArea = 16, kTimeoutMs = 2000, kStartTimeoutMs = 20000, kStillMs = 40, kSettledMs = 250 };

typedef struct {
  int x, y, width, height;
} Area;

static Display* display;
static Window root;
static double marked_at;

static double NowMs(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

static Area WholeScreen(void) {
  const Area screen = {0, 0, DisplayWidth(display, DefaultScreen(display)),
                       DisplayHeight(display, DefaultScreen(display))};
  return screen;
}

/* The kArea square around (x, y), kept inside the screen. */
static Area Around(int x, int y) {
  const Area screen = WholeScreen();
  Area area = {x - kArea / 2, y - kArea / 2, kArea, kArea};
  if (area.x > screen.width - kArea) area.x = screen.width - kArea;
  if (area.y > screen.height - kArea) area.y = screen.height - kArea;
  if (area.x < 0) area.x = 0;
  if (area.y < 0) area.y = 0;
  return area;
}

/* The pixels of the area; the caller frees them. */
static XImage* Grab(Area area) {
  return XGetImage(display, root, area.x, area.y, area.width, area.height, AllPlanes, ZPixmap);
}

static int Same(const XImage* a, const XImage* b) {
  return memcmp(a->data, b->data, (size_t)a->bytes_per_line * a->height) == 0;
}

/* Milliseconds from `start` until the area differs from `before`; -1 when it does not
 * within `timeout_ms` of `start`. */
static double WaitForChange(const XImage* before, Area area, double start, int timeout_ms) {
  for (;;) {
    XImage* now = Grab(area);
    const int same = Same(before, now);
    XDestroyImage(now);
    if (!same)
      return NowMs() - start;
    if (NowMs() - start > timeout_ms)
      return -1;
  }
}

/* Waits until the area has not changed for `still_ms`, or for `timeout_ms` at most; 0 when
 * it did not settle. */
static int WaitUntilStill(Area area, int still_ms, int timeout_ms) {
  XImage* last = Grab(area);
  double since = NowMs();
  const double give_up = since + timeout_ms;
  while (NowMs() - since < still_ms && NowMs() < give_up) {
    XImage* now = Grab(area);
    if (!Same(last, now)) {
      XDestroyImage(last);
      last = now;
      since = NowMs();
    } else {
      XDestroyImage(now);
    }
  }
  XDestroyImage(last);
  return NowMs() - since >= still_ms;
}

static void Button(int down) {
  XTestFakeButtonEvent(display, 1, down, CurrentTime);
}

/* Moves the pointer to (x, y) and does there what `action` says; 0 for an unknown action. */
static int Act(const char* action, int x, int y) {
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  if (strcmp(action, "press") == 0) {
    Button(1);
  } else if (strcmp(action, "release") == 0) {
    Button(0);
  } else if (strcmp(action, "click") == 0) {
    Button(1);
    Button(0);
  } else if (strcmp(action, "move") != 0) {
    return 0;
  }
  XSync(display, False);
  return 1;
}

int main(void) {
  display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "xlatency: no display\n");
    return 1;
  }
  root = DefaultRootWindow(display);
  char line[4096];
  while (fgets(line, sizeof line, stdin)) {
    int x, y, wx, wy;
    char action[16];
    if (strncmp(line, "mark", 4) == 0) {
      marked_at = NowMs();
      printf("mark\n");
    } else if (sscanf(line, "first %d %d", &x, &y) == 2) {
      XImage* before = Grab(Around(x, y));
      const double ms = WaitForChange(before, Around(x, y), marked_at, kStartTimeoutMs);
      XDestroyImage(before);
      printf("first %.2f\n", ms);
    } else if (sscanf(line, "warp %d %d", &x, &y) == 2) {
      XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
      XSync(display, False);
    } else if (sscanf(line, "%15s %d %d %d %d", action, &x, &y, &wx, &wy) == 5) {
      XImage* before = Grab(Around(wx, wy));
      const double start = NowMs();
      if (!Act(action, x, y)) {
        XDestroyImage(before);
        fprintf(stderr, "xlatency: cannot read: %s", line);
        continue;
      }
      const double ms = WaitForChange(before, Around(wx, wy), start, kTimeoutMs);
      XDestroyImage(before);
      printf("%s %.3f\n", action, ms);
      WaitUntilStill(Around(wx, wy), kStillMs, kTimeoutMs);
    } else if (strncmp(line, "still", 5) == 0) {
      printf("still %d\n", WaitUntilStill(WholeScreen(), kSettledMs, kStartTimeoutMs));
    } else {
      fprintf(stderr, "xlatency: cannot read: %s", line);
    }
    fflush(stdout);
  }
  XCloseDisplay(display);
  return 0;
}
