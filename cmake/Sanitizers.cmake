# The sanitizer tree (preset native-asan, built with clang): our code runs under
# AddressSanitizer and UndefinedBehaviorSanitizer, and any report ends the test. GoogleTest is
# left as it is: it is not under test, and instrumenting it would double the build.
option(KELVO_SANITIZE "Build the native tree with sanitizers and the fuzz targets" OFF)
if(KELVO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
