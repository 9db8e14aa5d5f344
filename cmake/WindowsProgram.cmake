# quillmoor_program(TARGET): what every program Quillmoor builds for Windows carries, the tests
# included: the manifest that makes UTF-8 its code page. Does nothing elsewhere.
function(quillmoor_program target)
  if(WIN32)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/utf8-code-page.rc)
  endif()
endfunction()
