// Preloaded into a Qt program under X11 to note the moment it first sends
// window pixels to the X server: the first call of any of the three calls
// that Qt's xcb backing store uses to put a painted image on screen. The time
// (CLOCK_MONOTONIC, nanoseconds) and the processor time the process has used
// until then (all its threads, nanoseconds) go to the file named by
// FIRST_PAINT_STAMP, on one line. With FIRST_PAINT_EXIT set, the program
// then ends at once, so that an instruction count stops at the first paint.
// The program itself is not changed, so every program is measured alike.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdatomic.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

// The few xcb types these calls need, as the xcb headers define them; the
// headers themselves are not a build dependency.
typedef struct xcb_connection_t xcb_connection_t;
typedef uint32_t xcb_drawable_t;
typedef uint32_t xcb_gcontext_t;
typedef struct {
    unsigned int sequence;
} xcb_void_cookie_t;

static atomic_flag stamped = ATOMIC_FLAG_INIT;

static void stamp_first_paint(void) {
    if (atomic_flag_test_and_set(&stamped)) {
        return;
    }
    struct timespec now;
    struct timespec used;
    clock_gettime(CLOCK_MONOTONIC, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    const char* path = getenv("FIRST_PAINT_STAMP");
    FILE* out = path ? fopen(path, "w") : NULL;
    if (out) {
        fprintf(out, "%lld %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec,
                (long long)used.tv_sec * 1000000000LL + used.tv_nsec);
        fclose(out);
    }
    if (getenv("FIRST_PAINT_EXIT")) {
        _exit(0);
    }
}

// The definition that the wrapper stands in front of. Qt loads its xcb
// platform plugin, and with it libxcb-shm and libxcb-image, privately, so
// RTLD_NEXT does not see them; the library that defines the call is asked
// by name instead. POSIX lets dlsym's result be used as a function pointer;
// memcpy says so without the cast that ISO C forbids.
static void next_function(const char* library, const char* name, void* function, size_t size) {
    void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    void* symbol = handle ? dlsym(handle, name) : NULL;
    if (!symbol) {
        fprintf(stderr, "first_paint_probe: %s not found in %s\n", name, library);
        abort();
    }
    memcpy(function, &symbol, size);
}

typedef xcb_void_cookie_t (*shm_put_image_fn)(xcb_connection_t*, xcb_drawable_t, xcb_gcontext_t,
                                              uint16_t, uint16_t, uint16_t, uint16_t, uint16_t,
                                              uint16_t, int16_t, int16_t, uint8_t, uint8_t, uint8_t,
                                              uint32_t, uint32_t);
typedef xcb_void_cookie_t (*image_put_fn)(xcb_connection_t*, xcb_drawable_t, xcb_gcontext_t, void*,
                                          int16_t, int16_t, uint8_t);
typedef xcb_void_cookie_t (*copy_area_fn)(xcb_connection_t*, xcb_drawable_t, xcb_drawable_t,
                                          xcb_gcontext_t, int16_t, int16_t, int16_t, int16_t,
                                          uint16_t, uint16_t);

xcb_void_cookie_t xcb_shm_put_image(xcb_connection_t* c, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                    uint16_t total_width, uint16_t total_height, uint16_t src_x,
                                    uint16_t src_y, uint16_t src_width, uint16_t src_height,
                                    int16_t dst_x, int16_t dst_y, uint8_t depth, uint8_t format,
                                    uint8_t send_event, uint32_t shmseg, uint32_t offset) {
    stamp_first_paint();
    shm_put_image_fn next;
    next_function("libxcb-shm.so.0", "xcb_shm_put_image", &next, sizeof next);
    return next(c, drawable, gc, total_width, total_height, src_x, src_y, src_width, src_height,
                dst_x, dst_y, depth, format, send_event, shmseg, offset);
}

xcb_void_cookie_t xcb_image_put(xcb_connection_t* c, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                void* image, int16_t x, int16_t y, uint8_t left_pad) {
    stamp_first_paint();
    image_put_fn next;
    next_function("libxcb-image.so.0", "xcb_image_put", &next, sizeof next);
    return next(c, drawable, gc, image, x, y, left_pad);
}

xcb_void_cookie_t xcb_copy_area(xcb_connection_t* c, xcb_drawable_t src, xcb_drawable_t dst,
                                xcb_gcontext_t gc, int16_t src_x, int16_t src_y, int16_t dst_x,
                                int16_t dst_y, uint16_t width, uint16_t height) {
    stamp_first_paint();
    copy_area_fn next;
    next_function("libxcb.so.1", "xcb_copy_area", &next, sizeof next);
    return next(c, src, dst, gc, src_x, src_y, dst_x, dst_y, width, height);
}
