Attribute VB_Name = "Twice"
Public Sub Twice()
    Width
End Sub
