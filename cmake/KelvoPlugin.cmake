# Compile options for every source linked into CalculatorKelvo.dll. A plug-in lives in the
# host's process and should carry only what it uses: no exceptions, no run-time type
# information, no thread-safe statics (the module runs on the host's UI thread) and no unwind
# tables, so that nothing in it needs the C++ runtime library; small code over fast code.
# The DLL itself is linked by the C driver (see module/CMakeLists.txt), so a source that does
# need the C++ runtime fails to link instead of pulling it in.
add_library(kelvo_plugin_flags INTERFACE)
target_compile_options(kelvo_plugin_flags INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
    -fno-asynchronous-unwind-tables -Os -ffunction-sections -fdata-sections)
