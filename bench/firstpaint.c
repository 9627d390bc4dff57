/*
 * firstpaint: starts a program on the X display in $DISPLAY and measures how
 * long it takes until its window is mapped and fully painted, and how much
 * memory the process holds then.
 *
 *     firstpaint TITLE QUIET_MS TIMEOUT_MS PROGRAM [ARG...]
 *
 * The clock starts just before fork(). Every top-level window gets a DAMAGE
 * object as soon as it is created, so no drawing after its mapping can be
 * missed. The first window mapped with the given title is the one watched:
 * its paint ends with the last damage that is followed by QUIET_MS without
 * any. Prints one line:
 *
 *     map_ms paint_ms vmrss_kb rssanon_kb damage_events cpu_ms
 *
 * followed by cpu_ms, the processor time all the program's threads have used
 * by then (from /proc/PID/task/<thread>/schedstat), which a busy machine
 * disturbs far less than the wall-clock times. Then it ends the program with
 * SIGTERM. Exit status 1 on a timeout or error.
 */
#define _GNU_SOURCE
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static xcb_atom_t intern(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t atom = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return atom;
}

static int has_title(xcb_connection_t *c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                     const char *title)
{
    xcb_get_property_reply_t *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, property, type, 0, 1024), NULL);
    int match = 0;
    if (r) {
        int len = xcb_get_property_value_length(r);
        match = len == (int)strlen(title) && memcmp(xcb_get_property_value(r), title, len) == 0;
        free(r);
    }
    return match;
}

/* Reads "Name:   1234 kB" from /proc/PID/status; -1 when absent. */
static long status_kb(pid_t pid, const char *name)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    long kb = -1;
    size_t n = strlen(name);
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f)) {
        if (strncmp(line, name, n) == 0 && line[n] == ':') {
            kb = strtol(line + n + 1, NULL, 10);
            break;
        }
    }
    fclose(f);
    return kb;
}

/* Processor time of every thread of PID so far, in milliseconds. */
static double cpu_ms(pid_t pid)
{
    char path[96];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR *tasks = opendir(path);
    double ns = 0;
    if (!tasks)
        return -1;
    for (struct dirent *t; (t = readdir(tasks));) {
        if (t->d_name[0] == '.')
            continue;
        snprintf(path, sizeof path, "/proc/%d/task/%.16s/schedstat", (int)pid, t->d_name);
        FILE *f = fopen(path, "r");
        unsigned long long run = 0;
        if (f) {
            if (fscanf(f, "%llu", &run) == 1)
                ns += (double)run;
            fclose(f);
        }
    }
    closedir(tasks);
    return ns / 1e6;
}

int main(int argc, char **argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: %s TITLE QUIET_MS TIMEOUT_MS PROGRAM [ARG...]\n", argv[0]);
        return 2;
    }
    const char *title = argv[1];
    double quiet = atof(argv[2]);
    double timeout = atof(argv[3]);

    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "firstpaint: cannot open the display\n");
        return 1;
    }
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (!ext || !ext->present) {
        fprintf(stderr, "firstpaint: the X server has no DAMAGE extension\n");
        return 1;
    }
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), NULL));
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_atom_t net_wm_name = intern(c, "_NET_WM_NAME");
    xcb_atom_t utf8 = intern(c, "UTF8_STRING");
    xcb_flush(c);

    double start = now_ms();
    pid_t pid = fork();
    if (pid < 0) {
        perror("fork");
        return 1;
    }
    if (pid == 0) {
        execvp(argv[4], argv + 4);
        perror("exec");
        _exit(127);
    }

    xcb_window_t watched = XCB_WINDOW_NONE;
    double mapped = -1, last_damage = -1;
    long damage_events = 0;
    int fd = xcb_get_file_descriptor(c);
    int status = 1;
    for (;;) {
        double t = now_ms();
        if (t - start > timeout) {
            fprintf(stderr, "firstpaint: no complete paint of \"%s\" within %.0f ms\n", title, timeout);
            break;
        }
        if (last_damage >= 0 && t - last_damage >= quiet) {
            printf("%.2f %.2f %ld %ld %ld %.2f\n", mapped - start, last_damage - start,
                   status_kb(pid, "VmRSS"), status_kb(pid, "RssAnon"), damage_events, cpu_ms(pid));
            status = 0;
            break;
        }
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "firstpaint: the program ended before it was painted\n");
            pid = -1;
            break;
        }
        xcb_generic_event_t *e = xcb_poll_for_event(c);
        if (!e) {
            struct pollfd p = {fd, POLLIN, 0};
            double wait = last_damage >= 0 ? quiet - (t - last_damage) : 20;
            poll(&p, 1, wait < 1 ? 1 : (int)wait);
            if (xcb_connection_has_error(c))
                break;
            continue;
        }
        t = now_ms();
        uint8_t type = e->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            xcb_create_notify_event_t *ce = (xcb_create_notify_event_t *)e;
            if (ce->parent == root) {
                xcb_damage_create(c, xcb_generate_id(c), ce->window,
                                  XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                xcb_flush(c);
            }
        } else if (type == XCB_MAP_NOTIFY && watched == XCB_WINDOW_NONE) {
            xcb_map_notify_event_t *me = (xcb_map_notify_event_t *)e;
            if (has_title(c, me->window, net_wm_name, utf8, title)
                || has_title(c, me->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title)) {
                watched = me->window;
                mapped = t;
            }
        } else if (type == ext->first_event + XCB_DAMAGE_NOTIFY) {
            xcb_damage_notify_event_t *de = (xcb_damage_notify_event_t *)e;
            if (watched != XCB_WINDOW_NONE && de->drawable == watched) {
                last_damage = t;
                ++damage_events;
            }
        }
        free(e);
    }
    if (pid > 0) {
        kill(pid, SIGTERM);
        while (waitpid(pid, NULL, 0) < 0 && errno == EINTR) {
        }
    }
    xcb_disconnect(c);
    return status;
}
