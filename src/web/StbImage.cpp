// The picture decoder the desktop takes from Debian's libstb, compiled into
// the browser build from the same header.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
