# Sanitizer, fuzzer and coverage flags for everything the project builds.
#
#   QRX_SANITIZE=address  AddressSanitizer + UndefinedBehaviorSanitizer (ON too)
#   QRX_SANITIZE=thread   ThreadSanitizer; with clang, OpenMP runs on LLVM's
#                         runtime, whose Archer tool makes its barriers and
#                         regions visible to ThreadSanitizer
#   QRX_FUZZ=ON           libFuzzer coverage feedback with ASan + UBSan (clang)
#   QRX_COVERAGE=ON       clang source-based coverage
#
# Sets QRX_SANITIZER_RUNTIME_IN_EXECUTABLE when the runtime is linked into
# executables only (clang), and QRX_SANITIZE_KIND to off, address or thread.

string(TOLOWER "${QRX_SANITIZE}" qrx_sanitize)
if(qrx_sanitize MATCHES "^(on|yes|true|y|1|address)$")
  set(QRX_SANITIZE_KIND address)
elseif(qrx_sanitize STREQUAL "thread")
  set(QRX_SANITIZE_KIND thread)
elseif(qrx_sanitize MATCHES "^(off|no|false|n|0|)$")
  set(QRX_SANITIZE_KIND off)
else()
  message(FATAL_ERROR "QRX_SANITIZE must be OFF, address (or ON) or thread, not '${QRX_SANITIZE}'")
endif()
if(QRX_FUZZ)
  set(QRX_SANITIZE_KIND address)
endif()

set(QRX_IS_CLANG OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(QRX_IS_CLANG ON)
  # Some sources silence GCC-only warnings by name.
  add_compile_options(-Wno-unknown-warning-option)
endif()
if((QRX_FUZZ OR QRX_COVERAGE) AND NOT QRX_IS_CLANG)
  message(FATAL_ERROR "QRX_FUZZ and QRX_COVERAGE need clang: -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
endif()

set(QRX_SANITIZE_FLAGS "")
if(QRX_SANITIZE_KIND STREQUAL "address")
  set(QRX_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
elseif(QRX_SANITIZE_KIND STREQUAL "thread")
  set(QRX_SANITIZE_FLAGS -fsanitize=thread)
endif()
if(QRX_SANITIZE_FLAGS)
  add_compile_options(${QRX_SANITIZE_FLAGS} -fno-omit-frame-pointer)
  add_link_options(${QRX_SANITIZE_FLAGS})
  if(QRX_IS_CLANG)
    set(QRX_SANITIZER_RUNTIME_IN_EXECUTABLE ON)
  endif()
endif()
if(QRX_FUZZ)
  # Coverage feedback in every object; only the fuzzer links libFuzzer itself.
  add_compile_options(-fsanitize=fuzzer-no-link)
  set(QRX_SANITIZER_RUNTIME_IN_EXECUTABLE ON)
endif()
if(QRX_COVERAGE)
  add_compile_options(-fprofile-instr-generate -fcoverage-mapping)
  add_link_options(-fprofile-instr-generate)
endif()

# Under a sanitizer Highway keeps its debug assertions, which report through
# its library.
if(NOT QRX_SANITIZE_KIND STREQUAL "off")
  find_library(QRX_HWY_LIBRARY hwy REQUIRED)
  link_libraries(${QRX_HWY_LIBRARY})
endif()
