/* bench_mapwait: starts a command and tells how long it took until its first top-level
 * window became viewable (mapped, with any window-manager frame). bench/peers.sh runs
 * every program through it.
 *
 *   bench_mapwait [-b] TIMEOUT_MS RESULT_FILE CMD [ARGS...]
 *
 * -b starts a private D-Bus session bus first (outside the timed span) and exports
 * DBUS_SESSION_BUS_ADDRESS to the command.
 *
 * It makes itself a child subreaper, so everything the run starts (the bus, services the
 * bus activates, daemons the command spawns) stays among its descendants, where the caller
 * finds and ends all of it by pid. It writes one line to RESULT_FILE, then reaps until no
 * descendant is left:
 *   "<child_pid> <ms> <window> <window_pid>"   window seen
 *   "<child_pid> TIMEOUT"                      none within TIMEOUT_MS
 *   "<child_pid> EXITED <code>"                the command ended first (128+N: signal N)
 *
 * The clock starts just before fork() and stops when the X event that makes the window
 * viewable has been read, so no polling interval enters the figure (xdotool search --sync
 * looks again only every 500 ms). A window counts when it was created as a child of the
 * root (every top-level is), is InputOutput, not override-redirect, and its _NET_WM_PID is
 * the command or a descendant; one without _NET_WM_PID counts if it has a WM_CLASS
 * (frames have neither). */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Atom net_wm_pid;
static pid_t child;
static Window cand[4096];
static int ncand;

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int ignore_errors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0; /* candidates may vanish between event and query */
}

static long parent_of(long pid) {
    char path[64], buf[512];
    snprintf(path, sizeof path, "/proc/%ld/stat", pid);
    FILE* f = fopen(path, "r");
    if (!f) return -1;
    size_t n = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    buf[n] = 0;
    char* p = strrchr(buf, ')'); /* comm may contain spaces */
    long ppid = -1;
    if (p) sscanf(p + 2, "%*c %ld", &ppid);
    return ppid;
}

static int from_child(long pid) {
    for (int i = 0; i < 64 && pid > 1; i++, pid = parent_of(pid))
        if (pid == child) return 1;
    return 0;
}

static long window_pid(Display* d, Window w) {
    Atom type;
    int fmt;
    unsigned long n, after;
    unsigned char* p = NULL;
    long pid = -1;
    if (XGetWindowProperty(d, w, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &fmt, &n, &after,
                           &p) == Success &&
        p && n == 1 && fmt == 32)
        pid = (long)*(unsigned long*)p;
    if (p) XFree(p);
    return pid;
}

/* The pid to measure for the first qualifying viewable window, 0 if none yet. */
static long check(Display* d, Window* found) {
    for (int i = 0; i < ncand; i++) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, cand[i], &a)) continue;
        if (a.class != InputOutput || a.override_redirect || a.map_state != IsViewable) continue;
        long pid = window_pid(d, cand[i]);
        if (pid > 0 && !from_child(pid)) continue;
        if (pid <= 0) {
            XClassHint h = {0};
            if (!XGetClassHint(d, cand[i], &h)) continue;
            XFree(h.res_name);
            XFree(h.res_class);
            pid = child;
        }
        *found = cand[i];
        return pid;
    }
    return 0;
}

static int start_bus(void) {
    FILE* p = popen("dbus-daemon --session --fork --print-address=1", "r");
    char addr[1024] = "";
    if (!p || !fgets(addr, sizeof addr, p)) return -1;
    pclose(p);
    addr[strcspn(addr, "\n")] = 0;
    return addr[0] ? setenv("DBUS_SESSION_BUS_ADDRESS", addr, 1) : -1;
}

int main(int argc, char** argv) {
    int bus = argc > 1 && !strcmp(argv[1], "-b");
    argv += bus;
    argc -= bus;
    if (argc < 4) {
        fprintf(stderr, "usage: bench_mapwait [-b] TIMEOUT_MS RESULT_FILE CMD [ARGS...]\n");
        return 2;
    }
    double timeout = atof(argv[1]);
    FILE* out = fopen(argv[2], "we"); /* close-on-exec */
    if (!out) {
        perror("bench_mapwait: result file");
        return 2;
    }
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    if (bus && start_bus()) {
        fprintf(stderr, "bench_mapwait: cannot start a session bus\n");
        return 2;
    }
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "bench_mapwait: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    net_wm_pid = XInternAtom(d, "_NET_WM_PID", False);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    double t0 = now_ms();
    child = fork();
    if (child == 0) {
        close(ConnectionNumber(d));
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    if (child < 0) return 2;

    struct pollfd pfd = {ConnectionNumber(d), POLLIN, 0};
    Window found = 0;
    long pid;
    int status;
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == CreateNotify && e.xcreatewindow.parent == root && ncand < 4096) {
                cand[ncand++] = e.xcreatewindow.window;
                /* Window managers reparent clients into frames; watch them directly too. */
                XSelectInput(d, e.xcreatewindow.window, StructureNotifyMask | PropertyChangeMask);
            }
        }
        double t = now_ms();
        if ((pid = check(d, &found))) {
            fprintf(out, "%d %.1f 0x%lx %ld\n", (int)child, t - t0, found, pid);
            break;
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            fprintf(out, "%d EXITED %d\n", (int)child,
                    WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
            break;
        }
        if (t - t0 > timeout) {
            fprintf(out, "%d TIMEOUT\n", (int)child);
            break;
        }
        /* check()'s round trips may have queued events already read off the
         * socket, which poll() would not see. */
        if (!XPending(d)) poll(&pfd, 1, 20); /* the timeout only serves exits */
    }
    fclose(out);
    XCloseDisplay(d);
    while (wait(&status) > 0 || errno == EINTR) {
    }
    return 0;
}
