# Reads a legacy VTK file with VTK's own reader (Debian's python3-vtk9) and prints one item a line:
# "point X Y Z", "cell TYPE POINT-ID...", "cell_data NAME VALUE...", "point_data NAME VALUE..." (a
# vector array's values one component after the other). Exits 1 when the reader reports an error.
import sys

import vtk

errors = vtk.vtkStringOutputWindow()
vtk.vtkOutputWindow.SetInstance(errors)
reader = vtk.vtkUnstructuredGridReader()
reader.SetFileName(sys.argv[1])
reader.ReadAllScalarsOn()
reader.ReadAllVectorsOn()
reader.Update()
if reader.GetErrorCode() != 0 or "ERROR" in errors.GetOutput():
    sys.stderr.write(errors.GetOutput())
    sys.exit(1)
grid = reader.GetOutput()
for i in range(grid.GetNumberOfPoints()):
    print("point", *(repr(c) for c in grid.GetPoint(i)))
ids = vtk.vtkIdList()
for i in range(grid.GetNumberOfCells()):
    grid.GetCellPoints(i, ids)
    print("cell", grid.GetCellType(i), *(ids.GetId(k) for k in range(ids.GetNumberOfIds())))
for kind, data in (("cell_data", grid.GetCellData()), ("point_data", grid.GetPointData())):
    for a in range(data.GetNumberOfArrays()):
        array = data.GetArray(a)
        values = (array.GetValue(k) for k in range(array.GetNumberOfValues()))
        print(kind, array.GetName(), *(repr(float(v)) if array.GetDataType() == vtk.VTK_FLOAT else int(v) for v in values))
