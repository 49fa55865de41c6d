/* mpbinfo: prints what a binary map file holds - map size, chip pages, layers, events, texts.
 *
 *     mpbinfo town.mpb
 *
 * Strings are printed as their bytes, with bytes outside printable ASCII as \xNN (the editor
 * stores CP932). Exit status 0 on success, 1 when the file cannot be read or is no binary map. */
#define QUELP_MPB_IMPLEMENTATION
#include "quelp_mpb.h"

#include <stdio.h>
#include <stdlib.h>

static void print_string(const quelp_mpb_string *s)
{
    size_t i;
    putchar('"');
    for (i = 0; i < s->length; ++i) {
        const unsigned char c = (unsigned char)s->bytes[i];
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            putchar(c);
        else
            printf("\\x%02X", c);
    }
    putchar('"');
}

/* The whole file in one malloc'd buffer; NULL when it cannot be read. */
static unsigned char *read_file(const char *path, size_t *size)
{
    FILE *file = fopen(path, "rb");
    unsigned char *bytes = NULL;
    size_t used = 0, capacity = 0;
    if (!file)
        return NULL;
    for (;;) {
        size_t got;
        if (used == capacity) {
            unsigned char *bigger;
            capacity = capacity ? capacity * 2 : 65536;
            bigger = (unsigned char *)realloc(bytes, capacity);
            if (!bigger) {
                free(bytes);
                fclose(file);
                return NULL;
            }
            bytes = bigger;
        }
        got = fread(bytes + used, 1, capacity - used, file);
        used += got;
        if (got == 0)
            break;
    }
    if (ferror(file)) {
        free(bytes);
        fclose(file);
        return NULL;
    }
    fclose(file);
    *size = used;
    return bytes;
}

static void print_layer(const quelp_mpb_map *map, int position)
{
    const quelp_mpb_layer *layer = &map->layers[position];
    long filled = 0;
    int32_t row, column;
    if (!layer->present)
        return;
    for (row = 0; row < map->rows; ++row)
        for (column = 0; column < map->columns; ++column)
            if (quelp_mpb_cell(map, position, column, row) != layer->empty)
                ++filled;
    printf("layer %d: chip page %ld, save type %ld, data size %ld, ", position,
           (long)layer->chip_page, (long)layer->save_type, (long)layer->data_size);
    if (layer->save_type == 1)
        printf("range %ld,%ld - %ld,%ld, ", (long)layer->left, (long)layer->top,
               (long)layer->right, (long)layer->bottom);
    else if (layer->save_type != 2)
        printf("%ld cells listed, ", (long)layer->listed);
    printf("%ld cells with a chip\n", filled);
}

static void print_map(const quelp_mpb_map *map)
{
    size_t i;
    int n;
    printf("chip size %ld x %ld\n", (long)map->chip_width, (long)map->chip_height);
    printf("map size %ld x %ld\n", (long)map->columns, (long)map->rows);
    printf("text attribute ");
    print_string(&map->text_attribute);
    printf(", numeric attributes %ld %ld %ld %ld\n", (long)map->attributes[0],
           (long)map->attributes[1], (long)map->attributes[2], (long)map->attributes[3]);
    for (n = 0; n < QUELP_MPB_PAGES; ++n) {
        const quelp_mpb_page *page = &map->pages[n];
        if (page->image.length == 0 && page->columns == 0)
            continue;
        printf("chip page %d: ", n);
        print_string(&page->image);
        printf(", %ld x %ld chips\n", (long)page->columns, (long)page->rows);
    }
    for (n = 0; n < QUELP_MPB_LAYERS; ++n)
        print_layer(map, n);
    if (map->has_events) {
        printf("events: %lu%s\n", (unsigned long)map->event_count,
               map->remark_flag ? ", with remarks" : "");
        for (i = 0; i < map->event_count; ++i) {
            const quelp_mpb_event *e = &map->events[i];
            printf("  event %ld at %ld,%ld - %ld,%ld to ", (long)e->number, (long)e->left,
                   (long)e->top, (long)e->right, (long)e->bottom);
            print_string(&e->map);
            printf(" %ld,%ld, options %ld %ld", (long)e->x, (long)e->y, (long)e->option1,
                   (long)e->option2);
            if (map->remark_flag) {
                printf(", remark ");
                print_string(&e->remark);
            }
            putchar('\n');
        }
    }
    if (map->has_texts) {
        printf("texts: %lu\n", (unsigned long)map->text_count);
        for (i = 0; i < map->text_count; ++i) {
            const quelp_mpb_text *t = &map->texts[i];
            printf("  text at %ld,%ld - %ld,%ld, %ld pt, colour %06lX: ", (long)t->left,
                   (long)t->top, (long)t->right, (long)t->bottom, (long)t->font_size,
                   (unsigned long)t->color);
            print_string(&t->text);
            putchar('\n');
        }
    }
}

int main(int argc, char **argv)
{
    unsigned char *bytes;
    size_t size = 0;
    quelp_mpb_map map;
    quelp_mpb_error err;
    if (argc != 2) {
        fprintf(stderr, "usage: %s FILE.mpb\n", argv[0]);
        return 1;
    }
    bytes = read_file(argv[1], &size);
    if (!bytes) {
        fprintf(stderr, "%s: cannot read the file\n", argv[1]);
        return 1;
    }
    err = quelp_mpb_load(bytes, size, NULL, &map);
    free(bytes); /* the map holds copies */
    if (err != QUELP_MPB_OK) {
        fprintf(stderr, "%s: not a binary map: %s at byte %lu\n", argv[1],
                quelp_mpb_error_string(err), (unsigned long)map.error_offset);
        return 1;
    }
    print_map(&map);
    quelp_mpb_free(&map);
    return 0;
}
