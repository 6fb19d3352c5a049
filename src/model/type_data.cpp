#include "model/type_data.h"

#include <cstring>
#include <new>

char* CopyString(const char* s, size_t spare) {
    if (!s) return nullptr;
    const size_t n = std::strlen(s);
    char* copy = new (std::nothrow) char[n + spare + 1]();
    if (copy) std::memcpy(copy, s, n);
    return copy;
}

void FreeString(char* s) {
    delete[] s;
}
