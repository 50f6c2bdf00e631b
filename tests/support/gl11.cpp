// The functions of OpenGL 1.1, and the GL functions a program imports.
#include "tests/support/gl11.h"

#include <stdio.h>

#include <cctype>
#include <cstddef>
#include <sstream>

namespace {

// Every function of OpenGL 1.1: those of 1.0 and the 30 that 1.1 added
// (texture objects, vertex arrays, polygon offset, glCopyTex*,
// glTexSubImage*, glPrioritizeTextures and the client state calls), in
// the order of their names.
const char* const GL11_FUNCTIONS =
    "glAccum glAlphaFunc glAreTexturesResident glArrayElement glBegin glBindTexture glBitmap glBlendFunc "
    "glCallList glCallLists glClear glClearAccum glClearColor glClearDepth glClearIndex glClearStencil "
    "glClipPlane glColor3b glColor3bv glColor3d glColor3dv glColor3f glColor3fv glColor3i glColor3iv "
    "glColor3s glColor3sv glColor3ub glColor3ubv glColor3ui glColor3uiv glColor3us glColor3usv glColor4b "
    "glColor4bv glColor4d glColor4dv glColor4f glColor4fv glColor4i glColor4iv glColor4s glColor4sv "
    "glColor4ub glColor4ubv glColor4ui glColor4uiv glColor4us glColor4usv glColorMask glColorMaterial "
    "glColorPointer glCopyPixels glCopyTexImage1D glCopyTexImage2D glCopyTexSubImage1D glCopyTexSubImage2D "
    "glCullFace glDeleteLists glDeleteTextures glDepthFunc glDepthMask glDepthRange glDisable "
    "glDisableClientState glDrawArrays glDrawBuffer glDrawElements glDrawPixels glEdgeFlag glEdgeFlagPointer "
    "glEdgeFlagv glEnable glEnableClientState glEnd glEndList glEvalCoord1d glEvalCoord1dv glEvalCoord1f "
    "glEvalCoord1fv glEvalCoord2d glEvalCoord2dv glEvalCoord2f glEvalCoord2fv glEvalMesh1 glEvalMesh2 "
    "glEvalPoint1 glEvalPoint2 glFeedbackBuffer glFinish glFlush glFogf glFogfv glFogi glFogiv glFrontFace "
    "glFrustum glGenLists glGenTextures glGetBooleanv glGetClipPlane glGetDoublev glGetError glGetFloatv "
    "glGetIntegerv glGetLightfv glGetLightiv glGetMapdv glGetMapfv glGetMapiv glGetMaterialfv "
    "glGetMaterialiv glGetPixelMapfv glGetPixelMapuiv glGetPixelMapusv glGetPointerv glGetPolygonStipple "
    "glGetString glGetTexEnvfv glGetTexEnviv glGetTexGendv glGetTexGenfv glGetTexGeniv glGetTexImage "
    "glGetTexLevelParameterfv glGetTexLevelParameteriv glGetTexParameterfv glGetTexParameteriv glHint "
    "glIndexMask glIndexPointer glIndexd glIndexdv glIndexf glIndexfv glIndexi glIndexiv glIndexs glIndexsv "
    "glIndexub glIndexubv glInitNames glInterleavedArrays glIsEnabled glIsList glIsTexture glLightModelf "
    "glLightModelfv glLightModeli glLightModeliv glLightf glLightfv glLighti glLightiv glLineStipple "
    "glLineWidth glListBase glLoadIdentity glLoadMatrixd glLoadMatrixf glLoadName glLogicOp glMap1d glMap1f "
    "glMap2d glMap2f glMapGrid1d glMapGrid1f glMapGrid2d glMapGrid2f glMaterialf glMaterialfv glMateriali "
    "glMaterialiv glMatrixMode glMultMatrixd glMultMatrixf glNewList glNormal3b glNormal3bv glNormal3d "
    "glNormal3dv glNormal3f glNormal3fv glNormal3i glNormal3iv glNormal3s glNormal3sv glNormalPointer "
    "glOrtho glPassThrough glPixelMapfv glPixelMapuiv glPixelMapusv glPixelStoref glPixelStorei "
    "glPixelTransferf glPixelTransferi glPixelZoom glPointSize glPolygonMode glPolygonOffset "
    "glPolygonStipple glPopAttrib glPopClientAttrib glPopMatrix glPopName glPrioritizeTextures glPushAttrib "
    "glPushClientAttrib glPushMatrix glPushName glRasterPos2d glRasterPos2dv glRasterPos2f glRasterPos2fv "
    "glRasterPos2i glRasterPos2iv glRasterPos2s glRasterPos2sv glRasterPos3d glRasterPos3dv glRasterPos3f "
    "glRasterPos3fv glRasterPos3i glRasterPos3iv glRasterPos3s glRasterPos3sv glRasterPos4d glRasterPos4dv "
    "glRasterPos4f glRasterPos4fv glRasterPos4i glRasterPos4iv glRasterPos4s glRasterPos4sv glReadBuffer "
    "glReadPixels glRectd glRectdv glRectf glRectfv glRecti glRectiv glRects glRectsv glRenderMode glRotated "
    "glRotatef glScaled glScalef glScissor glSelectBuffer glShadeModel glStencilFunc glStencilMask "
    "glStencilOp glTexCoord1d glTexCoord1dv glTexCoord1f glTexCoord1fv glTexCoord1i glTexCoord1iv "
    "glTexCoord1s glTexCoord1sv glTexCoord2d glTexCoord2dv glTexCoord2f glTexCoord2fv glTexCoord2i "
    "glTexCoord2iv glTexCoord2s glTexCoord2sv glTexCoord3d glTexCoord3dv glTexCoord3f glTexCoord3fv "
    "glTexCoord3i glTexCoord3iv glTexCoord3s glTexCoord3sv glTexCoord4d glTexCoord4dv glTexCoord4f "
    "glTexCoord4fv glTexCoord4i glTexCoord4iv glTexCoord4s glTexCoord4sv glTexCoordPointer glTexEnvf "
    "glTexEnvfv glTexEnvi glTexEnviv glTexGend glTexGendv glTexGenf glTexGenfv glTexGeni glTexGeniv "
    "glTexImage1D glTexImage2D glTexParameterf glTexParameterfv glTexParameteri glTexParameteriv "
    "glTexSubImage1D glTexSubImage2D glTranslated glTranslatef glVertex2d glVertex2dv glVertex2f glVertex2fv "
    "glVertex2i glVertex2iv glVertex2s glVertex2sv glVertex3d glVertex3dv glVertex3f glVertex3fv glVertex3i "
    "glVertex3iv glVertex3s glVertex3sv glVertex4d glVertex4dv glVertex4f glVertex4fv glVertex4i glVertex4iv "
    "glVertex4s glVertex4sv glVertexPointer glViewport";

// A GL function's name: "gl" and a capital, which GLU's (glu...), GLUT's
// (glut...) and GLX's (glX...) names are not.
bool isGlFunction(const std::string& name)
{
    return name.size() > 2 && name.compare(0, 2, "gl") == 0 && name[2] >= 'A' && name[2] <= 'Z' && name[2] != 'X';
}

std::string outputOf(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, read);
        pclose(pipe);
    }
    return output;
}

} // namespace

const std::set<std::string>& gl11Functions()
{
    static const std::set<std::string> functions = [] {
        std::set<std::string> names;
        std::istringstream words(GL11_FUNCTIONS);
        for (std::string name; words >> name;)
            names.insert(name);
        return names;
    }();
    return functions;
}

std::vector<std::string> glImportsOf(const std::string& program)
{
    // Each line of nm's list of undefined dynamic symbols ends in the name,
    // with a version after an @ for the C library's.
    std::istringstream lines(outputOf("nm -D --undefined-only '" + program + "'"));
    std::vector<std::string> imports;
    for (std::string line; std::getline(lines, line);) {
        std::string name = line.substr(line.find_last_of(' ') + 1);
        name = name.substr(0, name.find('@'));
        if (isGlFunction(name))
            imports.push_back(name);
    }
    return imports;
}

std::vector<std::string> dllImportsOf(const std::string& objdumpOutput, const std::string& dll)
{
    // objdump -p lists each DLL's imports after its "DLL Name:" line and a
    // heading ("vma: ..."), one a line with the name last, up to an empty
    // line. DLL names are compared without case, as Windows does.
    std::istringstream lines(objdumpOutput);
    std::vector<std::string> imports;
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    bool inDll = false;
    for (std::string line; std::getline(lines, line);) {
        if (const size_t at = line.find("DLL Name: "); at != std::string::npos)
            inDll = lower(line.substr(at + 10)) == lower(dll);
        else if (line.find_first_not_of(" \t\r") == std::string::npos)
            inDll = false;
        else if (inDll && line.find("vma:") == std::string::npos)
            imports.push_back(line.substr(line.find_last_of(" \t") + 1));
    }
    return imports;
}

::testing::AssertionResult onlyGl11(const std::vector<std::string>& imports)
{
    if (imports.empty())
        return ::testing::AssertionFailure() << "no GL function found";
    std::string newer;
    for (const std::string& name : imports)
        if (!gl11Functions().count(name))
            newer += " " + name;
    if (!newer.empty())
        return ::testing::AssertionFailure() << "functions beyond OpenGL 1.1:" << newer;
    return ::testing::AssertionSuccess() << imports.size() << " OpenGL 1.1 functions";
}
