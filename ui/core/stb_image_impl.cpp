// The one translation unit that compiles the image decoder: PNG and JPEG from
// memory only, with dimensions bounded.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384

#include <cstdlib>

// The decoder reads parts of its state that a damaged file never sets (a Huffman table that
// a scan names and no table segment defines, for one) and indexes its tables with what it
// finds there. In zeroed memory those reads stay inside the tables and the answer no longer
// depends on what the heap held before; left as it was, the same bytes read far outside.
// Every block therefore starts zeroed. What a block grows by is not: the decoder writes it
// before reading it, and a chunk may claim gigabytes that are never filled.
#define STBI_MALLOC(size) std::calloc(1, (size))
#define STBI_REALLOC(block, size) std::realloc((block), (size))
#define STBI_FREE(block) std::free(block)

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmisleading-indentation"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "stb_image.h"
#pragma GCC diagnostic pop
