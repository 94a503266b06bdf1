Attribute VB_Name = "Inventory"
' Inventory: a small stock-keeping module written to show off Quorbel.
' It keeps items in a dynamic array and reports the value of the stock.
Option Explicit

Private Type StockItem
    Code As String
    Description As String
    Quantity As Long
    UnitPrice As Currency
End Type

Private mItems() As StockItem
Private mCount As Long

Public Sub AddItem(ByVal Code As String, ByVal Description As String, _
                   ByVal Quantity As Long, ByVal UnitPrice As Currency)
    ' Grow the array in steps of ten to keep ReDim rare.
    If mCount Mod 10 = 0 Then
        ReDim Preserve mItems(mCount + 9)
    End If
    With mItems(mCount)
        .Code = UCase$(Code)
        .Description = Description
        .Quantity = Quantity
        .UnitPrice = UnitPrice
    End With
    mCount = mCount + 1
End Sub

Public Function FindItem(ByVal Code As String) As Long
    Dim i As Long
    For i = 0 To mCount - 1
        If mItems(i).Code = UCase$(Code) Then
            FindItem = i
            Exit Function
        End If
    Next i
    FindItem = -1 ' not found
End Function

Public Function StockValue() As Currency
    Dim i As Long, total As Currency
    For i = 0 To mCount - 1
        total = total + mItems(i).Quantity * mItems(i).UnitPrice
    Next
    StockValue = total
End Function

Public Sub Report()
    Dim i As Long
    On Error GoTo ReportFailed
    Debug.Print "Code", "Description", "Qty", "Value"
    For i = 0 To mCount - 1
        With mItems(i)
            Debug.Print .Code, .Description, .Quantity, Format$(.Quantity * .UnitPrice, "0.00")
        End With
    Next i
    Debug.Print "Total stock value: " & Format$(StockValue(), "0.00") ' the sum of all lines
    Exit Sub
ReportFailed:
    MsgBox "Report failed: " & Err.Description, vbCritical, "Inventory"
End Sub

Private Sub Restock(ByVal Index As Long, ByVal Amount As Long)
    If Index < 0 Or Index >= mCount Then Exit Sub
    mItems(Index).Quantity = mItems(Index).Quantity + Amount
End Sub
