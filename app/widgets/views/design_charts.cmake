# The design-chart pictures: drawn by korva-chart-pictures (tools/chart_pictures)
# from the analysis's adhesion tables at build time, stored in the program's
# resources under :/design_charts (design_charts.qrc, initialised by the chart
# window). Redrawn whenever the generator or the tables change.
set(KORVA_DESIGN_CHART_DIR ${CMAKE_CURRENT_BINARY_DIR}/design_charts)
set(KORVA_DESIGN_CHART_NAMES chart_a.jpg chart_b.jpg chart_c.jpg)
list(TRANSFORM KORVA_DESIGN_CHART_NAMES PREPEND ${KORVA_DESIGN_CHART_DIR}/ OUTPUT_VARIABLE KORVA_DESIGN_CHART_FILES)
add_custom_command(
  OUTPUT ${KORVA_DESIGN_CHART_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:korva-chart-pictures> ${KORVA_DESIGN_CHART_DIR}
  DEPENDS korva-chart-pictures
  COMMENT "Drawing the design-chart pictures"
  VERBATIM)
set(KORVA_DESIGN_CHART_QRC "<RCC>\n  <qresource prefix=\"/design_charts\">\n")
foreach(name ${KORVA_DESIGN_CHART_NAMES})
  string(APPEND KORVA_DESIGN_CHART_QRC "    <file>${name}</file>\n")
endforeach()
string(APPEND KORVA_DESIGN_CHART_QRC "  </qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${KORVA_DESIGN_CHART_DIR}/design_charts.qrc CONTENT "${KORVA_DESIGN_CHART_QRC}")
set_source_files_properties(${KORVA_DESIGN_CHART_DIR}/design_charts.qrc PROPERTIES SKIP_AUTORCC ON)
qt_add_resources(KORVA_DESIGN_CHART_SOURCES ${KORVA_DESIGN_CHART_DIR}/design_charts.qrc)
target_sources(korva_app_widgets PRIVATE ${KORVA_DESIGN_CHART_SOURCES})
