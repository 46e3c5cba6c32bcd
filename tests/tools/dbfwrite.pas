{ Writes a dBase table with the TDbf component, for the tests.
  Usage: dbfwrite TABLE.DBF LEVEL DESCRIPTION.TXT
  The description has "field NAME TYPE LENGTH DECIMALS" lines, then for each
  record a "record" line followed by "NAME=value" lines (fields left out, or
  given as "<blank>", stay blank); a "delete" line marks the record just
  written deleted. Dates are YYYYMMDD, logicals T or F, decimals with ".". }
program dbfwrite;
{$mode objfpc}{$H+}
uses SysUtils, Classes, db, dbf, dbf_fields;
var
  Table: TDbf;
  Defs: TDbfFieldDefs;
  Lines, Parts: TStringList;
  Numbers: TFormatSettings;
  Line, Name, Value: string;
  i, Equals: Integer;

procedure SetValue(Field: TField; const Text: string);
begin
  case Field.DataType of
    ftFloat: Field.AsFloat := StrToFloat(Text, Numbers);
    ftBoolean: Field.AsBoolean := Text = 'T';
    ftDate, ftDateTime:
      Field.AsDateTime := EncodeDate(StrToInt(Copy(Text, 1, 4)), StrToInt(Copy(Text, 5, 2)),
                                     StrToInt(Copy(Text, 7, 2)));
    else Field.AsString := Text;
  end;
end;

procedure PostIfEditing;
begin
  if Table.State in [dsInsert, dsEdit] then Table.Post;
end;

begin
  if ParamCount <> 3 then begin
    WriteLn(StdErr, 'usage: dbfwrite TABLE.DBF LEVEL DESCRIPTION.TXT');
    Halt(2);
  end;
  Numbers := DefaultFormatSettings;
  Numbers.DecimalSeparator := '.';
  Lines := TStringList.Create;
  Parts := TStringList.Create;
  Parts.Delimiter := ' ';
  Parts.StrictDelimiter := True;
  Table := TDbf.Create(nil);
  try
    Lines.LoadFromFile(ParamStr(3));
    Table.FilePathFull := ExtractFilePath(ExpandFileName(ParamStr(1)));
    Table.TableName := ExtractFileName(ParamStr(1));
    Table.TableLevel := StrToInt(ParamStr(2));
    Defs := TDbfFieldDefs.Create(nil);
    for Line in Lines do
      if Copy(Line, 1, 6) = 'field ' then begin
        Parts.DelimitedText := Line;
        with Defs.AddFieldDef do begin
          FieldName := Parts[1];
          NativeFieldType := Parts[2][1];
          Size := StrToInt(Parts[3]);
          Precision := StrToInt(Parts[4]);
        end;
      end;
    Table.CreateTableEx(Defs);
    Table.Exclusive := True;
    Table.Open;
    for Line in Lines do begin
      if Line = 'record' then begin
        PostIfEditing;
        Table.Append;
      end else if Line = 'delete' then begin
        PostIfEditing;
        Table.Delete;
      end else if Copy(Line, 1, 6) <> 'field ' then begin
        Equals := Pos('=', Line);
        if Equals = 0 then continue;
        Name := Copy(Line, 1, Equals - 1);
        Value := Copy(Line, Equals + 1, Length(Line));
        if Value <> '<blank>' then SetValue(Table.FieldByName(Name), Value);
      end;
    end;
    PostIfEditing;
    Table.Close;
  except
    on E: Exception do begin
      WriteLn(StdErr, 'dbfwrite: ', E.Message);
      Halt(1);
    end;
  end;
end.
