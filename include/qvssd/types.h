/* Shared memory and the framework-compatible types used inside the parameter
 * records of QVSSD.dll.
 *
 * Every block of memory that crosses a module boundary (texts in records,
 * string and integer arrays, the border-line vector, returned texts) comes
 * from the Win32 process heap through the helpers below. The host, the
 * sibling libraries and the dialog library may each use a different C
 * runtime; they still agree on who allocates and who frees, because all of
 * them call HeapAlloc/HeapFree on GetProcessHeap().
 *
 * Layouts (32-bit, natural alignment):
 *   QVString       one pointer to a zero-terminated ANSI text (NULL = empty)
 *   QVStringArray  five words: reserved object-header word, data, size,
 *   QVIntArray     capacity, grow-by (the same shape for every typed array)
 *   QVUIntArray
 *   QVTypedArray
 *   QVVector       three pointers: first, last, end of storage
 */
#ifndef QVSSD_TYPES_H
#define QVSSD_TYPES_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- the shared allocator ------------------------------------------------ */

static inline void* QVAlloc(size_t bytes) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}

static inline void* QVRealloc(void* block, size_t bytes) {
    if (block == NULL) {
        return QVAlloc(bytes);
    }
    return HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, bytes ? bytes : 1);
}

static inline void QVFree(void* block) {
    if (block != NULL) {
        HeapFree(GetProcessHeap(), 0, block);
    }
}

/* A copy of at most `limit` characters of `text`, zero-terminated, from the
 * shared heap. NULL text gives an empty text; NULL only when out of memory. */
static inline char* QVStrDupN(const char* text, size_t limit) {
    size_t n = 0;
    char* copy;
    if (text != NULL) {
        while (n < limit && text[n] != '\0') {
            ++n;
        }
    }
    copy = (char*)QVAlloc(n + 1);
    if (copy != NULL && n > 0) {
        memcpy(copy, text, n);
    }
    return copy;
}

static inline char* QVStrDup(const char* text) {
    return QVStrDupN(text, (size_t)-1);
}

/* ---- QVString ------------------------------------------------------------ */

typedef struct QVString {
    char* text; /* NULL or a zero-terminated text from the shared heap */
} QVString;

static inline const char* QVStringGet(const QVString* s) {
    return (s != NULL && s->text != NULL) ? s->text : "";
}

static inline void QVStringClear(QVString* s) {
    if (s != NULL) {
        QVFree(s->text);
        s->text = NULL;
    }
}

/* Replaces the text with a copy of at most `limit` characters of `text`. */
static inline BOOL QVStringAssignN(QVString* s, const char* text, size_t limit) {
    char* copy;
    if (s == NULL) {
        return FALSE;
    }
    copy = QVStrDupN(text, limit);
    if (copy == NULL) {
        return FALSE;
    }
    QVFree(s->text);
    s->text = copy;
    return TRUE;
}

static inline BOOL QVStringAssign(QVString* s, const char* text) {
    return QVStringAssignN(s, text, (size_t)-1);
}

/* ---- arrays -------------------------------------------------------------- */

#define QVSSD_ARRAY_FIELDS(ElementType)                                                            \
    void* reserved;    /* object header word of the original framework; always NULL */             \
    ElementType* data; /* shared-heap block of `capacity` elements */                              \
    int32_t size;      /* elements in use */                                                       \
    int32_t capacity;  /* elements allocated */                                                    \
    int32_t growBy     /* growth step; 0 or less means "grow by doubling" */

typedef struct QVStringArray {
    QVSSD_ARRAY_FIELDS(QVString);
} QVStringArray;

typedef struct QVIntArray {
    QVSSD_ARRAY_FIELDS(int32_t);
} QVIntArray;

/* The same array with unsigned elements, for the record fields that hold
 * unsigned 32-bit values (name languages, chosen indexes, column positions). */
typedef struct QVUIntArray {
    QVSSD_ARRAY_FIELDS(uint32_t);
} QVUIntArray;

/* An array of fixed-size elements whose type the owning record names. */
typedef struct QVTypedArray {
    QVSSD_ARRAY_FIELDS(void);
} QVTypedArray;

/* Makes room for `count` elements of `elementSize` bytes; new elements are zero. */
static inline BOOL QVArrayReserve(void** data, int32_t* capacity, int32_t growBy, int32_t count,
                                  size_t elementSize) {
    int32_t want;
    void* grown;
    if (count < 0) {
        return FALSE;
    }
    if (count <= *capacity) {
        return TRUE;
    }
    want = *capacity;
    while (want < count) {
        int32_t step = growBy > 0 ? growBy : (want < 4 ? 4 : want);
        if (want > INT32_MAX - step) {
            want = count;
            break;
        }
        want += step;
    }
    if ((size_t)want > ((size_t)-1) / elementSize) {
        return FALSE;
    }
    grown = QVRealloc(*data, (size_t)want * elementSize);
    if (grown == NULL) {
        return FALSE;
    }
    *data = grown;
    *capacity = want;
    return TRUE;
}

static inline const char* QVStringArrayGet(const QVStringArray* a, int32_t index) {
    if (a == NULL || a->data == NULL || index < 0 || index >= a->size) {
        return "";
    }
    return QVStringGet(&a->data[index]);
}

static inline BOOL QVStringArrayAdd(QVStringArray* a, const char* text) {
    if (a == NULL || a->size == INT32_MAX ||
        !QVArrayReserve((void**)&a->data, &a->capacity, a->growBy, a->size + 1, sizeof(QVString))) {
        return FALSE;
    }
    a->data[a->size].text = NULL;
    if (!QVStringAssign(&a->data[a->size], text)) {
        return FALSE;
    }
    ++a->size;
    return TRUE;
}

static inline void QVStringArrayRemoveAll(QVStringArray* a) {
    int32_t i;
    if (a == NULL) {
        return;
    }
    for (i = 0; a->data != NULL && i < a->size; ++i) {
        QVStringClear(&a->data[i]);
    }
    QVFree(a->data);
    a->data = NULL;
    a->size = 0;
    a->capacity = 0;
}

static inline BOOL QVIntArrayAdd(QVIntArray* a, int32_t value) {
    if (a == NULL || a->size == INT32_MAX ||
        !QVArrayReserve((void**)&a->data, &a->capacity, a->growBy, a->size + 1, sizeof(int32_t))) {
        return FALSE;
    }
    a->data[a->size++] = value;
    return TRUE;
}

static inline int32_t QVIntArrayGet(const QVIntArray* a, int32_t index) {
    if (a == NULL || a->data == NULL || index < 0 || index >= a->size) {
        return 0;
    }
    return a->data[index];
}

static inline void QVIntArrayRemoveAll(QVIntArray* a) {
    if (a == NULL) {
        return;
    }
    QVFree(a->data);
    a->data = NULL;
    a->size = 0;
    a->capacity = 0;
}

static inline BOOL QVUIntArrayAdd(QVUIntArray* a, uint32_t value) {
    if (a == NULL || a->size == INT32_MAX ||
        !QVArrayReserve((void**)&a->data, &a->capacity, a->growBy, a->size + 1, sizeof(uint32_t))) {
        return FALSE;
    }
    a->data[a->size++] = value;
    return TRUE;
}

static inline uint32_t QVUIntArrayGet(const QVUIntArray* a, int32_t index) {
    if (a == NULL || a->data == NULL || index < 0 || index >= a->size) {
        return 0;
    }
    return a->data[index];
}

static inline void QVUIntArrayRemoveAll(QVUIntArray* a) {
    if (a == NULL) {
        return;
    }
    QVFree(a->data);
    a->data = NULL;
    a->size = 0;
    a->capacity = 0;
}

/* Appends one element of `elementSize` bytes copied from `element`. */
static inline BOOL QVTypedArrayAdd(QVTypedArray* a, const void* element, size_t elementSize) {
    if (a == NULL || a->size == INT32_MAX ||
        !QVArrayReserve(&a->data, &a->capacity, a->growBy, a->size + 1, elementSize)) {
        return FALSE;
    }
    memcpy((char*)a->data + (size_t)a->size * elementSize, element, elementSize);
    ++a->size;
    return TRUE;
}

static inline void QVTypedArrayRemoveAll(QVTypedArray* a) {
    if (a == NULL) {
        return;
    }
    QVFree(a->data);
    a->data = NULL;
    a->size = 0;
    a->capacity = 0;
}

/* ---- vector -------------------------------------------------------------- */

/* Three pointers over a shared-heap block: [first, last) in use, [first, end) allocated. */
typedef struct QVVector {
    void* first;
    void* last;
    void* end;
} QVVector;

static inline size_t QVVectorCount(const QVVector* v, size_t elementSize) {
    if (v == NULL || v->first == NULL || v->last < v->first) {
        return 0;
    }
    return (size_t)((const char*)v->last - (const char*)v->first) / elementSize;
}

static inline BOOL QVVectorPush(QVVector* v, const void* element, size_t elementSize) {
    size_t count = QVVectorCount(v, elementSize);
    size_t cap;
    if (v == NULL) {
        return FALSE;
    }
    cap = v->first ? (size_t)((char*)v->end - (char*)v->first) / elementSize : 0;
    if (count == cap) {
        size_t want = cap < 4 ? 4 : cap * 2;
        char* grown = (char*)QVRealloc(v->first, want * elementSize);
        if (grown == NULL) {
            return FALSE;
        }
        v->first = grown;
        v->last = grown + count * elementSize;
        v->end = grown + want * elementSize;
    }
    memcpy(v->last, element, elementSize);
    v->last = (char*)v->last + elementSize;
    return TRUE;
}

static inline void QVVectorClear(QVVector* v) {
    if (v == NULL) {
        return;
    }
    QVFree(v->first);
    v->first = v->last = v->end = NULL;
}

#ifdef __cplusplus
} /* extern "C" */
#endif

#if defined(__cplusplus) && !defined(_WIN64)
static_assert(sizeof(QVString) == 4, "QVString is one pointer");
static_assert(sizeof(QVStringArray) == 20, "arrays are five words");
static_assert(sizeof(QVIntArray) == 20, "arrays are five words");
static_assert(sizeof(QVUIntArray) == 20, "arrays are five words");
static_assert(sizeof(QVTypedArray) == 20, "arrays are five words");
static_assert(sizeof(QVVector) == 12, "a vector is three pointers");
#elif !defined(__cplusplus) && !defined(_WIN64)
_Static_assert(sizeof(QVString) == 4, "QVString is one pointer");
_Static_assert(sizeof(QVStringArray) == 20, "arrays are five words");
_Static_assert(sizeof(QVIntArray) == 20, "arrays are five words");
_Static_assert(sizeof(QVUIntArray) == 20, "arrays are five words");
_Static_assert(sizeof(QVTypedArray) == 20, "arrays are five words");
_Static_assert(sizeof(QVVector) == 12, "a vector is three pointers");
#endif

#endif /* QVSSD_TYPES_H */
