# Warnings are errors-in-waiting: the tree builds clean with these in every preset.
add_compile_options(-Wall -Wextra)
if(KIT_WERROR)
  add_compile_options(-Werror)
endif()

if(WIN32)
  # Target Windows 7+ APIs; keep <windows.h> lean and free of min/max macros.
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
  # Run without extra DLLs: libgcc, libstdc++ and winpthread linked in.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

set(KIT_SANITIZE "" CACHE STRING "Sanitizers to build with: address,undefined or thread")
if(KIT_SANITIZE)
  add_compile_options(-fsanitize=${KIT_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${KIT_SANITIZE})
endif()
if(KIT_SANITIZE STREQUAL "thread")
  # Asio's handler fences pair with its own locks; GCC's note that ThreadSanitizer does
  # not model fences would otherwise fail every file that includes Asio.
  add_compile_options(-Wno-tsan)
endif()
