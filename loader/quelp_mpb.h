/* quelp_mpb.h - reads the binary map files (.mpb) the map editor exports, for the game side.
 *
 * One header, C99 or C++, nothing but the C standard library. In exactly one source file:
 *
 *     #define QUELP_MPB_IMPLEMENTATION
 *     #include "quelp_mpb.h"
 *
 * and include it plainly everywhere else. Reading a file that is already in memory:
 *
 *     quelp_mpb_map map;
 *     quelp_mpb_error err = quelp_mpb_load(bytes, size, NULL, &map);
 *     if (err != QUELP_MPB_OK) {
 *         fprintf(stderr, "%s (byte %lu)\n", quelp_mpb_error_string(err),
 *                 (unsigned long)map.error_offset);
 *         return;
 *     }
 *     chip = quelp_mpb_cell(&map, 0, column, row);   (or map.layers[0].cells[row * map.columns + column])
 *     ...
 *     quelp_mpb_free(&map);
 *
 * Memory: quelp_mpb_load makes exactly one allocation, through options->allocator when given,
 * else malloc and free (define QUELP_MPB_NO_STDLIB to leave those out). To allocate nothing,
 * ask quelp_mpb_measure for the size and let quelp_mpb_parse fill a block of your own; any
 * alignment will do. The map never points into the file's bytes: cells and strings are copies.
 *
 * Safety: every count, length, position and size is checked against the bytes given and the
 * map's size before it is used, and size computations are checked for overflow, so a damaged or
 * hostile file gives an error code (and the offset of the field at fault), never a read outside
 * the buffer. A map of more than options->max_cells cells is refused (QUELP_MPB_ERR_TOO_LARGE):
 * a short file may claim a huge map. After a load, columns x rows is at most max_cells.
 *
 * The file (all integers little-endian; a string is an i32 byte count and that many bytes):
 *   header      i32 chip width, chip height (pixels), columns, rows (cells);
 *               string text attribute; 4 x i32 numeric attributes
 *   8 pages     i32 chip columns, i32 chip rows, string image file name (0, 0, "" when unused)
 *   blocks      each opened by an i32 tag, in ascending order, then the tag -1 ends the file:
 *     0..7      a layer at that position: i32 chip page, save type, data size (bytes per cell
 *               value, 1 = low byte only); then by save type:
 *                 1: i32 left, top, right, bottom (inclusive), the cells of that range row by row
 *                 2: every cell, row by row
 *                 other: i32 count, then count x (i16 column, i16 row, cell value)
 *     8         events: i32 remark flag, i32 count, then each: i32 number, left, top, right,
 *               bottom (cells), string destination map, i32 x, y, option 1, option 2, and a
 *               string remark when the remark flag is not 0
 *     9         texts: i32 count, then each: i32 left, top, right, bottom (map pixels), i32 font
 *               size (points), u32 colour (red in the low byte), string text
 * A layer without any chip is not in the file. Strings are the editor's bytes (CP932 for the
 * Japanese editor).
 */
#ifndef QUELP_MPB_H
#define QUELP_MPB_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QUELP_MPB_LAYERS 8
#define QUELP_MPB_PAGES 8
/* Four times the cells of the editor's largest map (512 x 512). */
#define QUELP_MPB_DEFAULT_MAX_CELLS 1048576u

typedef enum quelp_mpb_error {
    QUELP_MPB_OK = 0,
    QUELP_MPB_ERR_ARGUMENT,        /* a required pointer is NULL, or no allocator */
    QUELP_MPB_ERR_TRUNCATED,       /* the bytes end before the end marker or inside a field */
    QUELP_MPB_ERR_CHIP_SIZE,       /* chip width or height not above 0 */
    QUELP_MPB_ERR_MAP_SIZE,        /* columns or rows not above 0 */
    QUELP_MPB_ERR_STRING,          /* a negative string length */
    QUELP_MPB_ERR_PAGE,            /* negative chip columns or rows of a page */
    QUELP_MPB_ERR_BLOCK_TAG,       /* an unknown tag, or a block repeated or out of order */
    QUELP_MPB_ERR_CHIP_PAGE,       /* a layer's chip page outside 0..7 */
    QUELP_MPB_ERR_SAVE_TYPE,       /* a layer block with save type 0 */
    QUELP_MPB_ERR_DATA_SIZE,       /* a data size other than 0, 1 or 2 */
    QUELP_MPB_ERR_RANGE,           /* a valid range reversed or outside the map */
    QUELP_MPB_ERR_CELL_POSITION,   /* a listed cell outside the map */
    QUELP_MPB_ERR_COUNT,           /* a negative count, or more cells listed than the map has */
    QUELP_MPB_ERR_TRAILING_DATA,   /* bytes after the end marker */
    QUELP_MPB_ERR_TOO_LARGE,       /* more cells than max_cells, or a size beyond size_t */
    QUELP_MPB_ERR_BLOCK_TOO_SMALL, /* quelp_mpb_parse: the caller's block is too small */
    QUELP_MPB_ERR_NO_MEMORY        /* quelp_mpb_load: the allocator returned NULL */
} quelp_mpb_error;

/* The file's bytes, with a terminating 0 added (the bytes themselves may hold a 0). */
typedef struct quelp_mpb_string {
    const char *bytes;
    size_t length;
} quelp_mpb_string;

typedef struct quelp_mpb_page {
    int32_t columns;            /* chips side by side in the sheet; 0 for an unused page */
    int32_t rows;               /* chip rows in the sheet */
    quelp_mpb_string image;     /* file name of the sheet, extension included */
} quelp_mpb_page;

typedef struct quelp_mpb_layer {
    int present;                /* 0: the file has no block for this position (all cells empty) */
    int32_t chip_page;          /* 0..7 */
    int32_t save_type;          /* as held: 1 valid range, 2 all data, else coordinates */
    int32_t data_size;          /* 0, 1 or 2 bytes per cell value */
    int32_t left, top, right, bottom; /* save type 1: the range the file holds; else 0 */
    int32_t listed;             /* save types other than 1 and 2: the cells listed; else 0 */
    /* An empty cell: 0xFFFF, or 0xFF with data size 1 (then chip 255 reads as empty too, and
     * a chip above 255 as its low byte). Cells the file does not hold are empty. */
    uint16_t empty;
    /* columns x rows values, row by row, each row from column 0; NULL when the layer is not
     * present or has data size 0 (the file then holds no values). */
    uint16_t *cells;
} quelp_mpb_layer;

typedef struct quelp_mpb_event {
    int32_t number;             /* event number; 0 is a plain transfer */
    int32_t left, top, right, bottom; /* the area in cells, both ends included */
    quelp_mpb_string map;       /* destination map name, in the form the editor was set to */
    int32_t x, y;               /* destination cell */
    int32_t option1, option2;
    quelp_mpb_string remark;    /* empty when the file carries no remarks */
} quelp_mpb_event;

typedef struct quelp_mpb_text {
    int32_t left, top, right, bottom; /* map pixels at full size; right and bottom exclusive */
    int32_t font_size;          /* points */
    uint32_t color;             /* red in bits 0-7, green 8-15, blue 16-23 */
    quelp_mpb_string text;
} quelp_mpb_text;

typedef struct quelp_mpb_allocator {
    void *(*alloc)(void *user, size_t size);
    void (*release)(void *user, void *block);
    void *user;
} quelp_mpb_allocator;

typedef struct quelp_mpb_options {
    size_t max_cells;           /* most columns x rows accepted; 0: QUELP_MPB_DEFAULT_MAX_CELLS */
    const quelp_mpb_allocator *allocator; /* for quelp_mpb_load; NULL: malloc and free */
} quelp_mpb_options;

typedef struct quelp_mpb_map {
    int32_t chip_width, chip_height; /* pixels */
    int32_t columns, rows;      /* cells */
    quelp_mpb_string text_attribute;
    int32_t attributes[4];      /* the numeric attributes 1 to 4 */
    quelp_mpb_page pages[QUELP_MPB_PAGES];
    quelp_mpb_layer layers[QUELP_MPB_LAYERS]; /* by position */
    int has_events;             /* the file holds the events block */
    int32_t remark_flag;        /* as held; not 0 when the events carry remarks */
    size_t event_count;
    quelp_mpb_event *events;
    int has_texts;              /* the file holds the texts block */
    size_t text_count;
    quelp_mpb_text *texts;
    size_t error_offset;        /* after a failure: the byte offset of the field at fault */
    /* Private: what quelp_mpb_free releases. */
    void *memory;
    quelp_mpb_allocator allocator;
} quelp_mpb_map;

/* Checks the whole file and tells the bytes quelp_mpb_parse needs. error_offset may be NULL. */
quelp_mpb_error quelp_mpb_measure(const void *data, size_t size, const quelp_mpb_options *options,
                                  size_t *block_size, size_t *error_offset);
/* Reads the file into map, every array and string inside block; allocates nothing. The map is
 * valid while the block is. On failure the map is zeroed except error_offset. */
quelp_mpb_error quelp_mpb_parse(const void *data, size_t size, const quelp_mpb_options *options,
                                void *block, size_t block_size, quelp_mpb_map *map);
/* Reads the file into map with one allocation; release it with quelp_mpb_free. On failure
 * nothing stays allocated and the map is zeroed except error_offset. */
quelp_mpb_error quelp_mpb_load(const void *data, size_t size, const quelp_mpb_options *options,
                               quelp_mpb_map *map);
/* Releases what quelp_mpb_load allocated and zeroes the map; harmless twice or after parse. */
void quelp_mpb_free(quelp_mpb_map *map);
/* The value of a cell of the layer at position layer: the layer's empty value outside the map
 * or when the file holds no value, 0xFFFF for a layer not present. */
uint16_t quelp_mpb_cell(const quelp_mpb_map *map, int layer, int32_t column, int32_t row);
/* A short English description of an error code; "unknown error" for other values. */
const char *quelp_mpb_error_string(quelp_mpb_error error);

#ifdef __cplusplus
}
#endif

#endif /* QUELP_MPB_H */

#ifdef QUELP_MPB_IMPLEMENTATION
#ifndef QUELP_MPB_IMPLEMENTED
#define QUELP_MPB_IMPLEMENTED

#include <string.h>
#ifndef QUELP_MPB_NO_STDLIB
#include <stdlib.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The strictest alignment of what the block holds. */
typedef union qmpbi_maxalign {
    void *p;
    size_t s;
    uint32_t u;
    long long ll;
    double d;
} qmpbi_maxalign;
typedef struct qmpbi_alignprobe {
    char c;
    qmpbi_maxalign u;
} qmpbi_alignprobe;
#define QMPBI_ALIGN (offsetof(qmpbi_alignprobe, u))

#define QMPBI_TRY(expr)                                                                      \
    do {                                                                                     \
        quelp_mpb_error qmpbi_e = (expr);                                                    \
        if (qmpbi_e != QUELP_MPB_OK)                                                         \
            return qmpbi_e;                                                                  \
    } while (0)

typedef struct qmpbi_reader {
    const unsigned char *data;
    size_t size;
    size_t pos;
    size_t field; /* where the last field read began */
} qmpbi_reader;

/* While measuring base is NULL and only used grows; while filling, base is the aligned start
 * of the caller's block, so both passes lay out the same offsets. */
typedef struct qmpbi_arena {
    unsigned char *base;
    size_t capacity;
    size_t used;
} qmpbi_arena;

static quelp_mpb_error qmpbi_need(qmpbi_reader *r, size_t n)
{
    r->field = r->pos;
    return r->size - r->pos < n ? QUELP_MPB_ERR_TRUNCATED : QUELP_MPB_OK;
}

static int32_t qmpbi_signed32(uint32_t u)
{
    /* Spelled out: converting a value above INT32_MAX is implementation-defined in C. */
    return u <= 0x7FFFFFFFu ? (int32_t)u : (int32_t)(u - 0x80000000u) - 0x7FFFFFFF - 1;
}

static quelp_mpb_error qmpbi_u32(qmpbi_reader *r, uint32_t *out)
{
    const unsigned char *p;
    QMPBI_TRY(qmpbi_need(r, 4));
    p = r->data + r->pos;
    *out = (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) |
           ((uint32_t)p[3] << 24);
    r->pos += 4;
    return QUELP_MPB_OK;
}

static quelp_mpb_error qmpbi_i32(qmpbi_reader *r, int32_t *out)
{
    uint32_t u = 0;
    QMPBI_TRY(qmpbi_u32(r, &u));
    *out = qmpbi_signed32(u);
    return QUELP_MPB_OK;
}

static quelp_mpb_error qmpbi_i32s(qmpbi_reader *r, int32_t *out, int n)
{
    int i;
    for (i = 0; i < n; ++i)
        QMPBI_TRY(qmpbi_i32(r, &out[i]));
    return QUELP_MPB_OK;
}

static int32_t qmpbi_i16_at(const unsigned char *p)
{
    const uint32_t u = (uint32_t)p[0] | ((uint32_t)p[1] << 8);
    return u <= 0x7FFFu ? (int32_t)u : (int32_t)u - 0x10000;
}

static uint16_t qmpbi_value_at(const unsigned char *p, int32_t data_size)
{
    return data_size == 1 ? (uint16_t)p[0] : (uint16_t)(p[0] | (p[1] << 8));
}

/* Room for count items of each bytes; NULL while measuring. */
static quelp_mpb_error qmpbi_take(qmpbi_arena *a, size_t count, size_t each, void **out)
{
    const size_t align = QMPBI_ALIGN;
    size_t start, bytes;
    *out = NULL;
    if (each != 0 && count > (size_t)-1 / each)
        return QUELP_MPB_ERR_TOO_LARGE;
    bytes = count * each;
    if (a->used > (size_t)-1 - (align - 1))
        return QUELP_MPB_ERR_TOO_LARGE;
    start = (a->used + align - 1) / align * align;
    if (bytes > (size_t)-1 - start)
        return QUELP_MPB_ERR_TOO_LARGE;
    if (a->base) {
        if (start + bytes > a->capacity)
            return QUELP_MPB_ERR_BLOCK_TOO_SMALL;
        *out = a->base + start;
    }
    a->used = start + bytes;
    return QUELP_MPB_OK;
}

static quelp_mpb_error qmpbi_string(qmpbi_reader *r, qmpbi_arena *a, quelp_mpb_string *out)
{
    int32_t n = 0;
    void *room = NULL;
    QMPBI_TRY(qmpbi_i32(r, &n));
    if (n < 0)
        return QUELP_MPB_ERR_STRING;
    if (r->size - r->pos < (size_t)n)
        return QUELP_MPB_ERR_TRUNCATED;
    QMPBI_TRY(qmpbi_take(a, (size_t)n + 1, 1, &room));
    if (room) {
        char *bytes = (char *)room;
        if (n > 0)
            memcpy(bytes, r->data + r->pos, (size_t)n);
        bytes[n] = '\0';
        out->bytes = bytes;
    }
    out->length = (size_t)n;
    r->pos += (size_t)n;
    return QUELP_MPB_OK;
}

/* The bytes left hold at least count items of each bytes (each is small). */
static int qmpbi_fits(const qmpbi_reader *r, uint64_t count, unsigned each)
{
    return count * each <= (uint64_t)(r->size - r->pos);
}

static quelp_mpb_error qmpbi_layer(qmpbi_reader *r, qmpbi_arena *a, const quelp_mpb_map *map,
                                   quelp_mpb_layer *layer)
{
    int32_t head[3];
    const uint64_t columns = (uint64_t)map->columns, rows = (uint64_t)map->rows;
    unsigned width;
    void *room = NULL;
    uint16_t *cells = NULL;

    QMPBI_TRY(qmpbi_i32(r, &head[0]));
    if (head[0] < 0 || head[0] >= QUELP_MPB_PAGES)
        return QUELP_MPB_ERR_CHIP_PAGE;
    QMPBI_TRY(qmpbi_i32(r, &head[1]));
    if (head[1] == 0)
        return QUELP_MPB_ERR_SAVE_TYPE;
    QMPBI_TRY(qmpbi_i32(r, &head[2]));
    if (head[2] < 0 || head[2] > 2)
        return QUELP_MPB_ERR_DATA_SIZE;
    layer->present = 1;
    layer->chip_page = head[0];
    layer->save_type = head[1];
    layer->data_size = head[2];
    layer->empty = head[2] == 1 ? 0xFFu : 0xFFFFu;
    width = (unsigned)head[2];

    if (width > 0) {
        QMPBI_TRY(qmpbi_take(a, (size_t)(columns * rows), sizeof(uint16_t), &room));
        cells = (uint16_t *)room;
        if (cells) {
            size_t i, n = (size_t)(columns * rows);
            for (i = 0; i < n; ++i)
                cells[i] = layer->empty;
        }
        layer->cells = cells;
    }

    if (layer->save_type == 1) {
        int32_t box[4];
        uint64_t across, down, row, column;
        QMPBI_TRY(qmpbi_i32s(r, box, 4));
        r->field -= 12; /* the range as a whole is at fault */
        if (box[0] < 0 || box[1] < 0 || box[0] > box[2] || box[1] > box[3] ||
            (uint64_t)box[2] >= columns || (uint64_t)box[3] >= rows)
            return QUELP_MPB_ERR_RANGE;
        layer->left = box[0];
        layer->top = box[1];
        layer->right = box[2];
        layer->bottom = box[3];
        across = (uint64_t)(box[2] - box[0]) + 1;
        down = (uint64_t)(box[3] - box[1]) + 1;
        r->field = r->pos;
        if (!qmpbi_fits(r, across * down, width))
            return QUELP_MPB_ERR_TRUNCATED;
        if (cells) {
            for (row = 0; row < down; ++row)
                for (column = 0; column < across; ++column) {
                    cells[(size_t)(((uint64_t)box[1] + row) * columns + (uint64_t)box[0] +
                                   column)] = qmpbi_value_at(r->data + r->pos, head[2]);
                    r->pos += width;
                }
        } else {
            r->pos += (size_t)(across * down * width); /* fits: checked just above */
        }
    } else if (layer->save_type == 2) {
        const uint64_t n = columns * rows;
        r->field = r->pos;
        if (!qmpbi_fits(r, n, width))
            return QUELP_MPB_ERR_TRUNCATED;
        if (cells) {
            size_t i;
            for (i = 0; i < (size_t)n; ++i)
                cells[i] = qmpbi_value_at(r->data + r->pos + i * width, head[2]);
        }
        r->pos += (size_t)(n * width);
    } else {
        int32_t count = 0, i;
        QMPBI_TRY(qmpbi_i32(r, &count));
        if (count < 0 || (uint64_t)count > columns * rows)
            return QUELP_MPB_ERR_COUNT;
        if (!qmpbi_fits(r, (uint64_t)count, 4 + width))
            return QUELP_MPB_ERR_TRUNCATED;
        layer->listed = count;
        for (i = 0; i < count; ++i) {
            const unsigned char *p = r->data + r->pos;
            const int32_t column = qmpbi_i16_at(p), row = qmpbi_i16_at(p + 2);
            r->field = r->pos;
            if (column < 0 || row < 0 || (uint64_t)column >= columns || (uint64_t)row >= rows)
                return QUELP_MPB_ERR_CELL_POSITION;
            if (cells)
                cells[(size_t)((uint64_t)row * columns + (uint64_t)column)] =
                    qmpbi_value_at(p + 4, head[2]);
            r->pos += 4 + width;
        }
    }
    return QUELP_MPB_OK;
}

static quelp_mpb_error qmpbi_events(qmpbi_reader *r, qmpbi_arena *a, quelp_mpb_map *map)
{
    int32_t count = 0, i;
    unsigned smallest;
    void *room = NULL;
    QMPBI_TRY(qmpbi_i32(r, &map->remark_flag));
    QMPBI_TRY(qmpbi_i32(r, &count));
    if (count < 0)
        return QUELP_MPB_ERR_COUNT;
    smallest = map->remark_flag != 0 ? 44u : 40u;
    if (!qmpbi_fits(r, (uint64_t)count, smallest))
        return QUELP_MPB_ERR_TRUNCATED;
    QMPBI_TRY(qmpbi_take(a, (size_t)count, sizeof(quelp_mpb_event), &room));
    map->has_events = 1;
    map->event_count = (size_t)count;
    map->events = (quelp_mpb_event *)room;
    for (i = 0; i < count; ++i) {
        quelp_mpb_event scratch, *e = map->events ? &map->events[i] : &scratch;
        int32_t values[5];
        memset(e, 0, sizeof *e);
        QMPBI_TRY(qmpbi_i32s(r, values, 5));
        e->number = values[0];
        e->left = values[1];
        e->top = values[2];
        e->right = values[3];
        e->bottom = values[4];
        QMPBI_TRY(qmpbi_string(r, a, &e->map));
        QMPBI_TRY(qmpbi_i32s(r, values, 4));
        e->x = values[0];
        e->y = values[1];
        e->option1 = values[2];
        e->option2 = values[3];
        if (map->remark_flag != 0) {
            QMPBI_TRY(qmpbi_string(r, a, &e->remark));
        } else {
            QMPBI_TRY(qmpbi_take(a, 1, 1, &room));
            if (room) {
                *(char *)room = '\0';
                e->remark.bytes = (const char *)room;
            }
        }
    }
    return QUELP_MPB_OK;
}

static quelp_mpb_error qmpbi_texts(qmpbi_reader *r, qmpbi_arena *a, quelp_mpb_map *map)
{
    int32_t count = 0, i;
    void *room = NULL;
    QMPBI_TRY(qmpbi_i32(r, &count));
    if (count < 0)
        return QUELP_MPB_ERR_COUNT;
    if (!qmpbi_fits(r, (uint64_t)count, 28u))
        return QUELP_MPB_ERR_TRUNCATED;
    QMPBI_TRY(qmpbi_take(a, (size_t)count, sizeof(quelp_mpb_text), &room));
    map->has_texts = 1;
    map->text_count = (size_t)count;
    map->texts = (quelp_mpb_text *)room;
    for (i = 0; i < count; ++i) {
        quelp_mpb_text scratch, *t = map->texts ? &map->texts[i] : &scratch;
        int32_t values[5];
        memset(t, 0, sizeof *t);
        QMPBI_TRY(qmpbi_i32s(r, values, 5));
        t->left = values[0];
        t->top = values[1];
        t->right = values[2];
        t->bottom = values[3];
        t->font_size = values[4];
        QMPBI_TRY(qmpbi_u32(r, &t->color));
        QMPBI_TRY(qmpbi_string(r, a, &t->text));
    }
    return QUELP_MPB_OK;
}

/* One pass over the whole file: measuring when a->base is NULL, filling map otherwise. */
static quelp_mpb_error qmpbi_walk(qmpbi_reader *r, qmpbi_arena *a, size_t max_cells,
                                  quelp_mpb_map *map)
{
    int32_t values[4], last = -1;
    int i;
    QMPBI_TRY(qmpbi_i32s(r, values, 2));
    if (values[0] <= 0 || values[1] <= 0) {
        r->field = values[0] <= 0 ? 0 : 4;
        return QUELP_MPB_ERR_CHIP_SIZE;
    }
    map->chip_width = values[0];
    map->chip_height = values[1];
    QMPBI_TRY(qmpbi_i32s(r, values, 2));
    if (values[0] <= 0 || values[1] <= 0) {
        r->field = values[0] <= 0 ? 8 : 12;
        return QUELP_MPB_ERR_MAP_SIZE;
    }
    /* Refused here, so that no loop over the map's cells can run away, grid or not. */
    if ((uint64_t)values[0] * (uint64_t)values[1] > (uint64_t)max_cells) {
        r->field = 8;
        return QUELP_MPB_ERR_TOO_LARGE;
    }
    map->columns = values[0];
    map->rows = values[1];
    QMPBI_TRY(qmpbi_string(r, a, &map->text_attribute));
    QMPBI_TRY(qmpbi_i32s(r, map->attributes, 4));
    for (i = 0; i < QUELP_MPB_PAGES; ++i) {
        quelp_mpb_page *page = &map->pages[i];
        QMPBI_TRY(qmpbi_i32(r, &page->columns));
        if (page->columns < 0)
            return QUELP_MPB_ERR_PAGE;
        QMPBI_TRY(qmpbi_i32(r, &page->rows));
        if (page->rows < 0)
            return QUELP_MPB_ERR_PAGE;
        QMPBI_TRY(qmpbi_string(r, a, &page->image));
    }
    for (;;) {
        int32_t tag = 0;
        QMPBI_TRY(qmpbi_i32(r, &tag));
        if (tag == -1)
            break;
        if (tag <= last || tag > 9)
            return QUELP_MPB_ERR_BLOCK_TAG;
        last = tag;
        if (tag < QUELP_MPB_LAYERS)
            QMPBI_TRY(qmpbi_layer(r, a, map, &map->layers[tag]));
        else if (tag == 8)
            QMPBI_TRY(qmpbi_events(r, a, map));
        else
            QMPBI_TRY(qmpbi_texts(r, a, map));
    }
    if (r->pos != r->size) {
        r->field = r->pos;
        return QUELP_MPB_ERR_TRAILING_DATA;
    }
    return QUELP_MPB_OK;
}

static quelp_mpb_error qmpbi_run(const void *data, size_t size, const quelp_mpb_options *options,
                                 qmpbi_arena *a, quelp_mpb_map *map)
{
    qmpbi_reader r;
    size_t max_cells = options && options->max_cells ? options->max_cells
                                                      : (size_t)QUELP_MPB_DEFAULT_MAX_CELLS;
    quelp_mpb_error err;
    memset(map, 0, sizeof *map);
    if (!data && size > 0)
        return QUELP_MPB_ERR_ARGUMENT;
    r.data = (const unsigned char *)data;
    r.size = data ? size : 0;
    r.pos = 0;
    r.field = 0;
    err = qmpbi_walk(&r, a, max_cells, map);
    if (err != QUELP_MPB_OK) {
        memset(map, 0, sizeof *map);
        map->error_offset = r.field;
    }
    return err;
}

quelp_mpb_error quelp_mpb_measure(const void *data, size_t size, const quelp_mpb_options *options,
                                  size_t *block_size, size_t *error_offset)
{
    qmpbi_arena a;
    quelp_mpb_map scratch;
    quelp_mpb_error err;
    if (error_offset)
        *error_offset = 0;
    if (!block_size)
        return QUELP_MPB_ERR_ARGUMENT;
    *block_size = 0;
    a.base = NULL;
    a.capacity = 0;
    a.used = 0;
    err = qmpbi_run(data, size, options, &a, &scratch);
    if (err == QUELP_MPB_OK && a.used > (size_t)-1 - (QMPBI_ALIGN - 1))
        err = QUELP_MPB_ERR_TOO_LARGE;
    if (err != QUELP_MPB_OK) {
        if (error_offset)
            *error_offset = scratch.error_offset;
        return err;
    }
    /* Room to align a block that starts anywhere. */
    *block_size = a.used + (QMPBI_ALIGN - 1);
    return QUELP_MPB_OK;
}

quelp_mpb_error quelp_mpb_parse(const void *data, size_t size, const quelp_mpb_options *options,
                                void *block, size_t block_size, quelp_mpb_map *map)
{
    qmpbi_arena a;
    size_t skip;
    if (!map)
        return QUELP_MPB_ERR_ARGUMENT;
    memset(map, 0, sizeof *map);
    if (!block)
        return QUELP_MPB_ERR_ARGUMENT;
    skip = (QMPBI_ALIGN - (size_t)((uintptr_t)block % QMPBI_ALIGN)) % QMPBI_ALIGN;
    if (block_size < skip)
        return QUELP_MPB_ERR_BLOCK_TOO_SMALL;
    a.base = (unsigned char *)block + skip;
    a.capacity = block_size - skip;
    a.used = 0;
    return qmpbi_run(data, size, options, &a, map);
}

#ifndef QUELP_MPB_NO_STDLIB
static void *qmpbi_malloc(void *user, size_t size)
{
    (void)user;
    return malloc(size);
}
static void qmpbi_free(void *user, void *block)
{
    (void)user;
    free(block);
}
#endif

quelp_mpb_error quelp_mpb_load(const void *data, size_t size, const quelp_mpb_options *options,
                               quelp_mpb_map *map)
{
    quelp_mpb_allocator allocator;
    size_t block_size = 0, error_offset = 0;
    void *block;
    quelp_mpb_error err;
    if (!map)
        return QUELP_MPB_ERR_ARGUMENT;
    memset(map, 0, sizeof *map);
    if (options && options->allocator) {
        allocator = *options->allocator;
    } else {
#ifndef QUELP_MPB_NO_STDLIB
        allocator.alloc = qmpbi_malloc;
        allocator.release = qmpbi_free;
        allocator.user = NULL;
#else
        return QUELP_MPB_ERR_ARGUMENT;
#endif
    }
    if (!allocator.alloc || !allocator.release)
        return QUELP_MPB_ERR_ARGUMENT;
    err = quelp_mpb_measure(data, size, options, &block_size, &error_offset);
    if (err != QUELP_MPB_OK) {
        map->error_offset = error_offset;
        return err;
    }
    block = allocator.alloc(allocator.user, block_size);
    if (!block)
        return QUELP_MPB_ERR_NO_MEMORY;
    err = quelp_mpb_parse(data, size, options, block, block_size, map);
    if (err != QUELP_MPB_OK) {
        allocator.release(allocator.user, block);
        return err;
    }
    map->memory = block;
    map->allocator = allocator;
    return QUELP_MPB_OK;
}

void quelp_mpb_free(quelp_mpb_map *map)
{
    if (!map)
        return;
    if (map->memory && map->allocator.release)
        map->allocator.release(map->allocator.user, map->memory);
    memset(map, 0, sizeof *map);
}

uint16_t quelp_mpb_cell(const quelp_mpb_map *map, int layer, int32_t column, int32_t row)
{
    const quelp_mpb_layer *l;
    if (!map || layer < 0 || layer >= QUELP_MPB_LAYERS)
        return 0xFFFFu;
    l = &map->layers[layer];
    if (!l->present)
        return 0xFFFFu;
    if (!l->cells || column < 0 || row < 0 || column >= map->columns || row >= map->rows)
        return l->empty;
    return l->cells[(size_t)row * (size_t)map->columns + (size_t)column];
}

const char *quelp_mpb_error_string(quelp_mpb_error error)
{
    switch (error) {
    case QUELP_MPB_OK: return "no error";
    case QUELP_MPB_ERR_ARGUMENT: return "invalid argument";
    case QUELP_MPB_ERR_TRUNCATED: return "the file ends too early";
    case QUELP_MPB_ERR_CHIP_SIZE: return "chip size not positive";
    case QUELP_MPB_ERR_MAP_SIZE: return "map size not positive";
    case QUELP_MPB_ERR_STRING: return "negative string length";
    case QUELP_MPB_ERR_PAGE: return "negative chip columns or rows in a chip page";
    case QUELP_MPB_ERR_BLOCK_TAG: return "unknown, repeated or misplaced block";
    case QUELP_MPB_ERR_CHIP_PAGE: return "layer chip page outside 0 to 7";
    case QUELP_MPB_ERR_SAVE_TYPE: return "layer block with save type 0";
    case QUELP_MPB_ERR_DATA_SIZE: return "layer data size other than 0, 1 or 2";
    case QUELP_MPB_ERR_RANGE: return "layer range reversed or outside the map";
    case QUELP_MPB_ERR_CELL_POSITION: return "listed cell outside the map";
    case QUELP_MPB_ERR_COUNT: return "negative count or more cells than the map has";
    case QUELP_MPB_ERR_TRAILING_DATA: return "bytes after the end marker";
    case QUELP_MPB_ERR_TOO_LARGE: return "map too large";
    case QUELP_MPB_ERR_BLOCK_TOO_SMALL: return "memory block too small";
    case QUELP_MPB_ERR_NO_MEMORY: return "out of memory";
    default: return "unknown error";
    }
}

#undef QMPBI_TRY
#undef QMPBI_ALIGN

#ifdef __cplusplus
}
#endif

#endif /* QUELP_MPB_IMPLEMENTED */
#endif /* QUELP_MPB_IMPLEMENTATION */
