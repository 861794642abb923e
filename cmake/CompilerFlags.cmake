# Warnings for each compiler family; warnings as errors only when asked
# (the CI script asks), never forced on people who build the program.
option(CORVUTIL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

if(MSVC)
  add_compile_options(/W4 /permissive- /utf-8 /Zc:__cplusplus)
  if(CORVUTIL_WARNINGS_AS_ERRORS)
    add_compile_options(/WX)
  endif()
else()
  add_compile_options(-Wall -Wextra)
  if(CORVUTIL_WARNINGS_AS_ERRORS)
    add_compile_options(-Werror)
  endif()
endif()
