# The sanitizer tree (preset native-asan, built with clang): our code runs under
# AddressSanitizer and UndefinedBehaviorSanitizer, any report ends the test, and the code is
# instrumented for libFuzzer's coverage feedback. GoogleTest is left as it is: it is not under
# test, and instrumenting it would double the build.
option(KELVO_SANITIZE "Build the native tree with sanitizers and the fuzz targets" OFF)
if(KELVO_SANITIZE)
    add_compile_options(-O1 -fsanitize=address,undefined,fuzzer-no-link
        -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
