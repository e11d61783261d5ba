#include "values/StackGuard.h"

#include <pthread.h>

namespace korvelin {

std::uintptr_t stackFloor() {
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
    void* lowest = nullptr;
    std::size_t size = 0;
    const bool known = pthread_attr_getstack(&attributes, &lowest, &size) == 0;
    pthread_attr_destroy(&attributes);
    if (!known || size <= 2 * StackReserve) return 0;
    // The stack grows down from lowest + size.
    return reinterpret_cast<std::uintptr_t>(lowest) + StackReserve;
}

} // namespace korvelin
