Attribute VB_Name = "Module2"
Public Sub Shared(ByVal x As Long)
10  If x > 0 Then GoTo 20
    Report x
20  Exit Sub
End Sub

Public Sub Report(ByVal value As Long)
    Dim Shared As Long
    Shared = value
End Sub

Private Sub Helper()
End Sub

Public Sub Twice()
End Sub

#If Win64 Then
Public Function Width() As Long
#Else
Public Function Width() As Long
#End If
    Width = 1
End Function
