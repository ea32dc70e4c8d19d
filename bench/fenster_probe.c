/* Helper of start_bench: the time until a program's first window appears.
 *   fenster_probe --gtk            a trivial GTK program: one window, nothing else
 *   fenster_probe --init           a program that only calls gtk_init and ends
 *   fenster_probe --wm             exits 0 when a window manager runs on the display
 *   fenster_probe PROGRAM [ARGS]   starts PROGRAM, waits until a top-level
 *                                  window is mapped on the display, prints the
 *                                  seconds since the start and the CPU seconds
 *                                  PROGRAM used until then, and ends PROGRAM
 * Both ways are watched the same way, so the two times compare. Exits 1
 * when no window appeared within 30 s. Needs DISPLAY. */
#include <X11/Xlib.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double jetzt(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "--gtk") == 0) {
        gtk_init(&argc, &argv);
        GtkWidget* w = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(w), "Probe");
        gtk_window_set_default_size(GTK_WINDOW(w), 800, 600);
        g_signal_connect(w, "destroy", G_CALLBACK(gtk_main_quit), NULL);
        gtk_widget_show_all(w);
        gtk_main();
        return 0;
    }
    if (argc > 1 && strcmp(argv[1], "--init") == 0) return gtk_init_check(&argc, &argv) ? 0 : 1;
    if (argc > 1 && strcmp(argv[1], "--wm") == 0) {
        /* An EWMH window manager names its check window on the root. */
        Display* d = XOpenDisplay(NULL);
        if (!d) return 1;
        Atom a = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True), typ;
        int fmt, da = 0;
        unsigned long n = 0, rest;
        unsigned char* wert = NULL;
        if (a != None &&
            XGetWindowProperty(d, DefaultRootWindow(d), a, 0, 1, False, AnyPropertyType, &typ, &fmt, &n, &rest, &wert) ==
                Success &&
            n > 0)
            da = 1;
        if (wert) XFree(wert);
        XCloseDisplay(d);
        return da ? 0 : 1;
    }
    if (argc < 2) {
        fprintf(stderr, "usage: fenster_probe --gtk | --init | --wm | PROGRAM [ARGS]\n");
        return 2;
    }
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "fenster_probe: no display\n");
        return 1;
    }
    Window wurzel = DefaultRootWindow(d);
    XSelectInput(d, wurzel, SubstructureNotifyMask);
    XSync(d, False);
    fflush(stdout);
    double t0 = jetzt();
    pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        FILE* nichts = freopen("/dev/null", "w", stdout);
        (void)nichts;
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int gesehen = 0;
    int fd = ConnectionNumber(d);
    while (!gesehen && jetzt() - t0 < 30) {
        while (!gesehen && XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && e.xmap.event == wurzel && !e.xmap.override_redirect) gesehen = 1;
        }
        if (gesehen) break;
        fd_set m;
        FD_ZERO(&m);
        FD_SET(fd, &m);
        struct timeval tv = {0, 100000};
        select(fd + 1, &m, NULL, NULL, &tv);
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) break; /* ended without a window */
    }
    double t = jetzt() - t0;
    kill(pid, SIGKILL); /* no handler may add its work to the count */
    struct rusage ru;
    memset(&ru, 0, sizeof ru);
    wait4(pid, NULL, 0, &ru);
    XCloseDisplay(d);
    if (!gesehen) return 1;
    printf("%.4f %.4f\n", t,
           (double)(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + (double)(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6);
    return 0;
}
