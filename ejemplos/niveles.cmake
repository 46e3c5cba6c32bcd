# The sample school's level reference table: ejemplos/tools/generar_niveles.cpp
# holds its records and writes ${PROJECT_BINARY_DIR}/ejemplos/NIVELLARI.DBF.
add_executable(generar_niveles ${CMAKE_CURRENT_LIST_DIR}/tools/generar_niveles.cpp)
target_link_libraries(generar_niveles PRIVATE enlazora_formats)

set(ENLAZORA_SAMPLE_LEVELS ${PROJECT_BINARY_DIR}/ejemplos/NIVELLARI.DBF)
add_custom_command(OUTPUT ${ENLAZORA_SAMPLE_LEVELS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/ejemplos
  COMMAND generar_niveles ${ENLAZORA_SAMPLE_LEVELS}
  DEPENDS generar_niveles
  COMMENT "Tabla de niveles del instituto de ejemplo: NIVELLARI.DBF"
  VERBATIM)
add_custom_target(niveles_ejemplo ALL DEPENDS ${ENLAZORA_SAMPLE_LEVELS})
