# The sample school's timetable solution: SOLUC.DBF as the host would write it
# after timetabling instituto.xml. The generator converts the sample inbound in
# a scratch folder and places every subject load on the week's free cells; the
# same source gives the same file byte for byte.
add_executable(generar_solucion ${CMAKE_CURRENT_SOURCE_DIR}/tools/generar_solucion.cpp)
target_link_libraries(generar_solucion PRIVATE enlazora_core)

set(ENLAZORA_SAMPLE_SOLUTION ${PROJECT_BINARY_DIR}/ejemplos/SOLUC.DBF)
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/instituto.xml)
  add_custom_command(OUTPUT ${ENLAZORA_SAMPLE_SOLUTION}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/ejemplos
    COMMAND generar_solucion ${CMAKE_CURRENT_SOURCE_DIR}/instituto.xml ${ENLAZORA_SAMPLE_SOLUTION}
    DEPENDS generar_solucion ${CMAKE_CURRENT_SOURCE_DIR}/instituto.xml
    COMMENT "Solución de horario de ejemplo: ejemplos/SOLUC.DBF"
    VERBATIM)
  add_custom_target(ejemplo_solucion ALL DEPENDS ${ENLAZORA_SAMPLE_SOLUTION})
  # The command-line tests convert the sample both ways with this solution.
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL enlazora_sample_solution_for_tests)
  function(enlazora_sample_solution_for_tests)
    if(TARGET cli_tests)
      add_dependencies(cli_tests ejemplo_solucion)
      if(TARGET niveles_ejemplo)
        add_dependencies(cli_tests niveles_ejemplo)
      endif()
    endif()
  endfunction()
endif()
