# vanto_layer(NAME <layer> [DEPS <targets...>])
# Builds every .cpp directly in the current folder into the static library
# vanto_<layer>; headers are included as "<layer>/<file>.h" from src/.
function(vanto_layer)
  cmake_parse_arguments(L "" "NAME" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    message(STATUS "layer ${L_NAME}: no sources yet")
    return()
  endif()
  add_library(vanto_${L_NAME} STATIC ${sources})
  target_include_directories(vanto_${L_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(vanto_${L_NAME} PUBLIC ${L_DEPS})
  vanto_warnings(vanto_${L_NAME})
endfunction()

# vanto_layer_tests(NAME <layer> [DEPS <targets...>])
# One GoogleTest program per layer from every .cpp in the current folder,
# with the shared test helpers.
function(vanto_layer_tests)
  cmake_parse_arguments(T "" "NAME" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${T_NAME} ${sources})
  target_include_directories(test_${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(test_${T_NAME} PRIVATE ${T_DEPS} vanto_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  vanto_warnings(test_${T_NAME})
  gtest_discover_tests(test_${T_NAME} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "VANTO_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
