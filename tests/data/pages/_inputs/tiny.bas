Sub Tiny()
End Sub
