// libgsf's objects (GObjects) owned by a unique_ptr that drops the reference.
#pragma once

#include <glib-object.h>

#include <memory>

namespace ppt::binary {

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace ppt::binary
