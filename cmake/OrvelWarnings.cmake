add_compile_options(-Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
                    -Wformat=2 -Wimplicit-fallthrough)
if(ORVEL_WERROR)
  add_compile_options(-Werror)
endif()
if(ORVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
# Modules export only their entry points; shared support libraries export
# their API (and the typeinfo of the exceptions that cross module borders).
set(ORVEL_MODULE_VISIBILITY hidden)

# A COM module: a shared library whose only exports are the Dll* entry points.
function(orvel_com_module target)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    PREFIX "lib")
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
endfunction()
