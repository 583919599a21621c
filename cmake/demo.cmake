# The demo application, Tervok.jar, built with the machine's JDK.
find_package(Java 11 COMPONENTS Development)
if(Java_FOUND)
  set(DEMO_CLASSES ${CMAKE_BINARY_DIR}/demo/classes)
  set(DEMO_JAR ${CMAKE_BINARY_DIR}/demo/Tervok.jar)
  add_custom_command(
    OUTPUT ${DEMO_JAR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DEMO_CLASSES}
    COMMAND ${Java_JAVAC_EXECUTABLE} -d ${DEMO_CLASSES} ${CMAKE_SOURCE_DIR}/demo/Tervok.java
    COMMAND ${Java_JAR_EXECUTABLE} --create --file ${DEMO_JAR} --main-class Tervok -C ${DEMO_CLASSES} .
    DEPENDS ${CMAKE_SOURCE_DIR}/demo/Tervok.java
    VERBATIM)
  add_custom_target(demo_jar ALL DEPENDS ${DEMO_JAR})
  set(E2E_JAVA --jar ${DEMO_JAR} --java ${Java_JAVA_EXECUTABLE})
else()
  message(WARNING "No JDK: the tests with a real Java runtime will not run")
  set(E2E_JAVA)
endif()
