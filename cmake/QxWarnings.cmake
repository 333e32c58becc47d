# Warnings on in both lanes; the code is kept clean of them.
add_compile_options(-Wall -Wextra)

if(QX_SANITIZE AND NOT QX_WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QX_WIN32)
  # Every module, tool and test carries its own runtime: nothing but Windows'
  # own DLLs (and qmi_util.dll for swiftpage) needs to sit beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
